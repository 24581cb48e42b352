// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

struct xcb_connection_t;

namespace rpn {

// A connection to the X server at `displayName` (empty: $DISPLAY), opened to learn whether
// the server answers before the toolkit would abort on one that does not. Keep it until the
// toolkit has connected: an X server whose last client leaves resets itself and refuses
// connections for that moment.
class XDisplayCheck {
  public:
    explicit XDisplayCheck(const std::string& displayName);
    ~XDisplayCheck();
    XDisplayCheck(const XDisplayCheck&) = delete;
    XDisplayCheck& operator=(const XDisplayCheck&) = delete;

    // Empty when the server answers; otherwise the one line that says which display could
    // not be opened.
    const std::string& problem() const { return problem_; }

  private:
    xcb_connection_t* connection_ = nullptr;
    std::string problem_;
};

}  // namespace rpn

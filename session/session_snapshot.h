// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <mutex>
#include <optional>

#include "session/session_data.h"

namespace rpn {

// The session as it stands, kept current while the program runs so that it can be written
// from another thread when the window cannot answer (a frozen event loop at a signal). Safe
// to use from any thread.
class SessionSnapshot {
  public:
    void Update(const SessionData& data);
    // Nothing until the session has been loaded: there is nothing of this run to keep yet.
    std::optional<SessionData> Latest() const;

  private:
    mutable std::mutex mutex_;
    std::optional<SessionData> data_;
};

}  // namespace rpn

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rpn {

// Watches the making of the application object. The toolkit reports a window-system platform
// that it cannot load (a bogus name, QT_QPA_PLATFORM=wayland without the Wayland plugin) in
// several lines and then aborts; under this guard the user gets one line naming the platform
// instead, and the program ends with exit code 1. The toolkit's other messages of that time
// are passed on when the guard goes.
class PlatformStartGuard {
  public:
    // `platform`: the platform asked for, as the user named it.
    explicit PlatformStartGuard(std::string platform);
    ~PlatformStartGuard();
    PlatformStartGuard(const PlatformStartGuard&) = delete;
    PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;
};

// The one line said when the platform cannot be started.
std::string PlatformFailureLine(const std::string& platform);

}  // namespace rpn

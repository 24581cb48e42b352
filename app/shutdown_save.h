// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "session/session_data.h"
#include "session/session_file.h"

namespace rpn {

// The save that ends the program at a signal, whether the event loop or the watchdog makes
// it: `data` is the session to write, or nothing before the session has been loaded, when
// there is nothing of this run to keep. Returns the process's exit code: 1, with the reason on
// stderr, when the save fails, and also when no session file can be kept at all (the
// program's own path unknown), which an end says however early it comes, as a close does.
int SaveAtShutdown(const std::optional<SessionData>& data, const SessionFile& session);

}  // namespace rpn

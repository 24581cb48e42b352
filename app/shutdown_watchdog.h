// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <string>

#include "session/session_file.h"
#include "session/session_snapshot.h"

namespace rpn {

// The last resort of a close signal: a thread of its own that, when the event loop has not
// saved the session within `deadline` of the signal, writes the session as it stood after
// the last change and ends the process. The event loop and this thread each claim the file
// before writing it, so that only one of them does. No toolkit here: it must work while the
// window's thread is stuck.
namespace shutdown_watchdog {

// Starts the thread, which waits for Alarm(). `snapshot` must outlive StandDown().
void Start(const SessionSnapshot& snapshot, SessionFile session,
           std::chrono::milliseconds deadline);
// A close signal has arrived. Safe in a signal handler.
void Alarm();
// The event loop is about to write the session: true when it may; false when the watchdog is
// writing it already and will end the process.
bool ClaimForLoop();
// The event loop's save has ended with `exitCode`; the process is to end with it soon, and
// ends there should the way out hang.
void LoopSaved(int exitCode);
// The window has closed by itself: from here on the watchdog writes nothing.
void StandDown();

}  // namespace shutdown_watchdog

}  // namespace rpn

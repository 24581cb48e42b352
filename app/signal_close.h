// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "session/session_data.h"
#include "session/session_file.h"
#include "session/session_snapshot.h"

class QSocketNotifier;

namespace rpn {

// Ends the program with the session saved when nobody can answer a box: at SIGTERM, SIGHUP
// or SIGINT (logout, kill, Ctrl+C in a terminal) the event loop captures the session as the
// window's close step would and the loop ends; when the loop does not get that far within
// about a second (a frozen window, a display that does not answer), the session as it stood
// after the last change is written from another thread and the process ends there. When the
// toolkit ends the process because the display has gone, the capture runs on the way out. A
// failed save is reported on stderr and the exit code is then 1, as is a session file that
// cannot be kept at all, however early the signal comes. A second signal ends the program at
// once.
class SignalClose : public QObject {
  public:
    // Gives the session to save, or nothing before the session has been loaded; runs on the
    // event loop and may wait for the display.
    using Capture = std::function<std::optional<SessionData>()>;

    // `snapshot` must stay current and outlive this object; `session` is the file saved, or
    // says why none can be.
    SignalClose(Capture capture, const SessionSnapshot& snapshot, SessionFile session);
    // From here on neither a signal nor the process's end saves: the window has closed by
    // itself.
    ~SignalClose() override;
    SignalClose(const SignalClose&) = delete;
    SignalClose& operator=(const SignalClose&) = delete;

    // The exit code once a signal has been answered: the start-up asks, since a signal
    // during a box of the first showing ends that box's loop, not the main one.
    std::optional<int> EndedWith() const { return exitCode_; }

  private:
    void OnSignal();

    QSocketNotifier* notifier_ = nullptr;
    std::optional<int> exitCode_;
};

}  // namespace rpn

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <functional>
#include <string>

#include "engine/calculator.h"
#include "session/session_file.h"

namespace rpn {

// What the session needs of the windows.
class SessionHost {
  public:
    virtual ~SessionHost() = default;
    virtual WindowPosition MainWindowPosition() const = 0;
    virtual void MoveMainWindow(WindowPosition position) = 0;
    // The modal error box: caption "Error", error icon, one OK button. Returns when the
    // user has closed it.
    virtual void ShowErrorBox(const std::string& message) = 0;
};

// Brings a loaded session into the windows and the calculator. What the file held before a
// line that failed stays applied; the stack is shown from a file read whole, else from 0
// once the user has seen why.
void ApplySession(const LoadedSession& loaded, Calculator& calculator, SessionHost& host,
                  WindowPosition& keypadPosition);

// Opens the run's session: applies what was loaded, then runs `afterApplying`, where the
// window saves it at once. The loaded X stays a finished value even when that save could not
// read it back (it then shows as 0): the next typed character lifts it. A fault in
// `afterApplying` goes on to the caller.
void OpenSession(const LoadedSession& loaded, Calculator& calculator, SessionHost& host,
                 WindowPosition& keypadPosition, const std::function<void()>& afterApplying);

// What is done with an X entry beyond the register's range (1e4933) when the session is
// saved; it gets the fault.
using EntryFaultReport = std::function<void(const std::exception& fault)>;

// The session to save: X is committed first, and a readable entry is what the file keeps.
// An entry beyond the register's range is of no more use than one that does not convert: it
// goes to `entryFault` when there is one, and the file keeps the last committed X either way,
// so that a typo never costs the rest of the session.
SessionData CaptureSession(Calculator& calculator, const SessionHost& host,
                           WindowPosition keypadPosition, const EntryFaultReport& entryFault = {});

// The session that a save would write now, read without touching the calculator or the
// window: no beep, no commit. `entryText` is the X field's text.
SessionData PreviewSession(const Calculator& calculator, const std::string& entryText,
                           WindowPosition window, WindowPosition keypadPosition);

}  // namespace rpn

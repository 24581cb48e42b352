#pragma once

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

// The session to save: X is committed first, and a readable entry is what the file keeps.
SessionData CaptureSession(Calculator& calculator, const SessionHost& host,
                           WindowPosition keypadPosition);

}  // namespace rpn

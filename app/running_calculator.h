// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace rpn {

class RaiseListener;
class SessionLock;

// The claim of one start on its session file: the first calculator on a file holds it and
// listens; a later start asks that one to come to the front instead of running.
class SessionClaim {
  public:
    // `display`: DisplayIdentity of this start. A running calculator has `answerWait` to
    // answer; one that holds the lock but does not listen (it is starting, or ending) is
    // asked again for at most `startingWait`, and its lock tried again.
    SessionClaim(const std::string& sessionPath, const std::string& display,
                 std::chrono::milliseconds answerWait, std::chrono::milliseconds startingWait);
    ~SessionClaim();
    SessionClaim(const SessionClaim&) = delete;
    SessionClaim& operator=(const SessionClaim&) = delete;

    // True when this start runs the calculator; else the start ends with exitCode(): 0 when
    // the running calculator came forward, 1 when it could not be reached (said on stderr).
    bool runs() const { return runs_; }
    int exitCode() const { return exitCode_; }
    // The windows brought forward for a later start, once they exist.
    void SetWindows(QWidget* mainWindow, QWidget* keypad);

  private:
    // Takes the session's lock in every lock folder; when another calculator holds one, lets
    // go of them all and returns that one's channel, else an empty text.
    std::string TakeLocks(const std::string& sessionPath, const std::vector<std::string>& folders);

    std::vector<std::unique_ptr<SessionLock>> locks_;
    std::unique_ptr<RaiseListener> listener_;
    QWidget* mainWindow_ = nullptr;
    QWidget* keypad_ = nullptr;
    bool runs_ = true;
    int exitCode_ = 0;
};

// Brings the main window, and the keypad when it is shown, to the front and gives the main
// window the focus.
void BringToFront(QWidget& mainWindow, QWidget* keypad);

// The window system and display this start uses, as two calculators compare them.
std::string DisplayIdentity(const std::string& platform, const std::string& displayName);

}  // namespace rpn

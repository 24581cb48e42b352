// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace rpn {

class FileDescriptor;
class SessionLock;

// What the calculator that runs on a session file answered when asked to come to the front.
struct RaiseAnswer {
    bool raised = false;
    // It answered at all, raised or not.
    bool answered = false;
    // When not raised: the one line for the user.
    std::string problem;
};

// Asks the calculator that listens at `channelPath` to bring its windows to the front of
// `display` (the window system and display this start would use), waiting at most `wait`
// in all. `sessionPath` names the file in the answer for the user.
RaiseAnswer AskRunningCalculatorToRaise(const std::string& channelPath, const std::string& display,
                                        const std::string& sessionPath,
                                        std::chrono::milliseconds wait);

// The running calculator's side: listens at `channelPath` and runs `raise` for a request
// from the same display; a request from another display is told which one this is.
class RaiseListener : public QObject {
    Q_OBJECT
  public:
    RaiseListener(const std::string& channelPath, std::string display, std::function<void()> raise);
    ~RaiseListener() override;

  private:
    // Takes every connection waiting and answers each once its request line is in.
    void TakeConnections();

    std::unique_ptr<FileDescriptor> listening_;
    std::string display_;
    std::function<void()> raise_;
};

// The claim of one start on its session file: the first calculator on a file holds it and
// listens; a later start asks that one to come to the front instead of running.
class SessionClaim {
  public:
    // `display`: DisplayIdentity of this start. Waits at most `wait` for a running calculator.
    SessionClaim(const std::string& sessionPath, const std::string& display,
                 std::chrono::milliseconds wait);
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
    // One attempt; false when the calculator that held the session has gone meanwhile.
    bool Claim(const std::string& sessionPath, const std::string& display,
               std::chrono::milliseconds wait, const std::vector<std::string>& folders);

    std::vector<std::unique_ptr<SessionLock>> locks_;
    std::vector<std::unique_ptr<RaiseListener>> listeners_;
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

#pragma once

#include <QObject>
#include <functional>
#include <string>

class QSocketNotifier;

namespace rpn {

// Ends the program with the window's close step when nobody can answer a box: at SIGTERM,
// SIGHUP or SIGINT (logout, kill, Ctrl+C in a terminal) the step runs from the event loop
// and the loop ends; when the toolkit ends the process because the display has gone, the
// step runs on the way out. A failed save is reported on stderr.
class SignalClose : public QObject {
  public:
    // `closeStep` saves the session and returns why it failed, or an empty text.
    explicit SignalClose(std::function<std::string()> closeStep);
    // From here on neither a signal nor the process's end runs the step: the window has
    // closed by itself.
    ~SignalClose() override;
    SignalClose(const SignalClose&) = delete;
    SignalClose& operator=(const SignalClose&) = delete;

  private:
    void OnSignal();

    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace rpn

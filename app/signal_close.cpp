// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/signal_close.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <utility>

#include "app/shutdown_save.h"
#include "app/shutdown_watchdog.h"
#include "session/session_file.h"

namespace rpn {

namespace {

constexpr std::array kCloseSignals = {SIGTERM, SIGHUP, SIGINT};

// How long the event loop has to save after a signal before the watchdog writes the session
// as it stood: with the watchdog's own write, the session is on the disk within about a
// second whatever the window is doing.
constexpr std::chrono::milliseconds kLoopDeadline{800};

// The self-pipe: the handler only writes a byte, which is all a signal handler may safely
// do; the event loop reads it.
int signalPipe[2] = {-1, -1};

// What the close step needs while it may still run; cleared once it has run or the window
// has closed.
struct PendingSave {
    SignalClose::Capture capture;
    SessionFile session;
};
PendingSave* pending = nullptr;

void RestoreDefaultActions() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int signal : kCloseSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

void OnCloseSignal(int signal) {
    const int savedErrno = errno;
    // A second signal while the save hangs (a stalled network folder) ends the program.
    RestoreDefaultActions();
    const char byte = static_cast<char>(signal);
    // A full pipe already holds a request; the byte is not needed.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    shutdown_watchdog::Alarm();
    errno = savedErrno;
}

// Returns the exit code: 1 when the step ran and the save failed.
int RunPendingSave() {
    if (pending == nullptr) {
        return 0;
    }
    const PendingSave save = std::move(*pending);
    delete pending;
    pending = nullptr;
    const std::optional<SessionData> data = save.capture();
    if (!shutdown_watchdog::ClaimForLoop()) {
        // The watchdog gave up on this thread and is writing the file; it ends the process.
        for (;;) {
            ::pause();
        }
    }
    const int exitCode = SaveAtShutdown(data, save.session);
    shutdown_watchdog::LoopSaved(exitCode);
    return exitCode;
}

// The toolkit calls exit() when its display connection breaks. The stack is not unwound by
// exit(), so the windows and the calculator state are still whole here, and the save needs
// nothing from the display.
void SaveOnExit() {
    RunPendingSave();
}

}  // namespace

SignalClose::SignalClose(Capture capture, const SessionSnapshot& snapshot, SessionFile session) {
    pending = new PendingSave{std::move(capture), session};
    static const bool exitHookRegistered = std::atexit(SaveOnExit) == 0;
    (void)exitHookRegistered;

    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    shutdown_watchdog::Start(snapshot, std::move(session), kLoopDeadline);
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { OnSignal(); });
    struct sigaction action {};
    action.sa_handler = OnCloseSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kCloseSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

SignalClose::~SignalClose() {
    // Still pending: the window closed by itself, and saved; the snapshot is about to go.
    const bool closedByItself = pending != nullptr;
    delete pending;
    pending = nullptr;
    if (notifier_ != nullptr) {
        RestoreDefaultActions();
        if (closedByItself) {
            shutdown_watchdog::StandDown();
        }
        ::close(signalPipe[0]);
        ::close(signalPipe[1]);
    }
}

void SignalClose::OnSignal() {
    char byte;
    while (::read(signalPipe[0], &byte, 1) == 1) {
    }
    notifier_->setEnabled(false);
    exitCode_ = RunPendingSave();
    QCoreApplication::exit(*exitCode_);
}

}  // namespace rpn

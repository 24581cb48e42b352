#include "app/signal_close.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace rpn {

namespace {

constexpr std::array kCloseSignals = {SIGTERM, SIGHUP, SIGINT};

// The self-pipe: the handler only writes a byte, which is all a signal handler may safely
// do; the event loop reads it.
int signalPipe[2] = {-1, -1};

// The close step while it may still run; cleared once it has run or the window has closed.
std::function<std::string()>* pendingStep = nullptr;

void WriteSignalByte(int signal) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(signal);
    // A full pipe already holds a request; the byte is not needed.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

// False when the step ran and the save failed.
bool RunPendingStep() {
    if (pendingStep == nullptr) {
        return true;
    }
    const std::function<std::string()> step = std::move(*pendingStep);
    delete pendingStep;
    pendingStep = nullptr;
    const std::string failure = step();
    if (!failure.empty()) {
        std::fprintf(stderr, "rpncalc: the session was not saved: %s\n", failure.c_str());
        return false;
    }
    return true;
}

// The toolkit calls exit() when its display connection breaks. The stack is not unwound by
// exit(), so the windows and the calculator state are still whole here, and the save needs
// nothing from the display.
void SaveOnExit() {
    RunPendingStep();
}

}  // namespace

SignalClose::SignalClose(std::function<std::string()> closeStep) {
    pendingStep = new std::function<std::string()>(std::move(closeStep));
    static const bool exitHookRegistered = std::atexit(SaveOnExit) == 0;
    (void)exitHookRegistered;

    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { OnSignal(); });
    struct sigaction action {};
    action.sa_handler = WriteSignalByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kCloseSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

SignalClose::~SignalClose() {
    delete pendingStep;
    pendingStep = nullptr;
    if (notifier_ != nullptr) {
        for (const int signal : kCloseSignals) {
            std::signal(signal, SIG_DFL);
        }
        ::close(signalPipe[0]);
        ::close(signalPipe[1]);
    }
}

void SignalClose::OnSignal() {
    char byte;
    while (::read(signalPipe[0], &byte, 1) == 1) {
    }
    // A second signal while the save hangs (a stalled network folder) ends the program.
    for (const int signal : kCloseSignals) {
        std::signal(signal, SIG_DFL);
    }
    notifier_->setEnabled(false);
    QCoreApplication::exit(RunPendingStep() ? 0 : 1);
}

}  // namespace rpn

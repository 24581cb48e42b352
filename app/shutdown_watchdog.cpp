// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shutdown_watchdog.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "app/shutdown_save.h"
#include "engine/register.h"
#include "session/session_file.h"

namespace rpn::shutdown_watchdog {

namespace {

// How long the way out may take once the event loop has saved.
constexpr std::chrono::seconds kExitGrace{1};

struct Watch {
    const SessionSnapshot* snapshot = nullptr;
    SessionFile session{""};
    std::chrono::milliseconds deadline{0};
    int wakePipe[2] = {-1, -1};
    // Whoever sets it first writes the session file.
    std::atomic<bool> fileClaimed{false};

    std::mutex mutex;
    std::condition_variable changed;
    std::optional<int> loopExitCode;
    bool stoodDown = false;
};

// Never freed: the thread may still wait on it while the process runs its exit handlers.
Watch* watch = nullptr;

void Run() {
    // The thread formats the registers for the file with the window's precision.
    InitialiseRegisterArithmetic();
    char byte;
    while (::read(watch->wakePipe[0], &byte, 1) != 1) {
        if (errno != EINTR) {
            return;
        }
    }
    std::unique_lock lock(watch->mutex);
    watch->changed.wait_for(lock, watch->deadline,
                            [] { return watch->loopExitCode.has_value() || watch->stoodDown; });
    if (watch->stoodDown) {
        return;
    }
    if (!watch->loopExitCode && !watch->fileClaimed.exchange(true)) {
        // The event loop has not answered: it may never do.
        const std::optional<SessionData> data = watch->snapshot->Latest();
        const SessionFile session = watch->session;
        lock.unlock();
        ::_exit(SaveAtShutdown(data, session));
    }
    // The event loop is saving, or has saved: the process ends with its code, at the latest
    // a moment after the save.
    watch->changed.wait(lock, [] { return watch->loopExitCode.has_value() || watch->stoodDown; });
    if (watch->stoodDown) {
        return;
    }
    if (!watch->changed.wait_for(lock, kExitGrace, [] { return watch->stoodDown; })) {
        ::_exit(*watch->loopExitCode);
    }
}

}  // namespace

void Start(const SessionSnapshot& snapshot, SessionFile session,
           std::chrono::milliseconds deadline) {
    watch = new Watch;
    watch->snapshot = &snapshot;
    watch->session = std::move(session);
    watch->deadline = deadline;
    if (::pipe2(watch->wakePipe, O_CLOEXEC) != 0) {
        return;
    }
    // A signal handler must never wait on a full pipe.
    ::fcntl(watch->wakePipe[1], F_SETFL, O_NONBLOCK);
    // It lives as long as the process; the process's end ends it.
    std::thread(Run).detach();
}

void Alarm() {
    if (watch == nullptr || watch->wakePipe[1] < 0) {
        return;
    }
    const int savedErrno = errno;
    const char byte = 1;
    // One byte wakes the thread; a later signal finds it awake already.
    [[maybe_unused]] const ssize_t written = ::write(watch->wakePipe[1], &byte, 1);
    errno = savedErrno;
}

bool ClaimForLoop() {
    return watch == nullptr || !watch->fileClaimed.exchange(true);
}

void LoopSaved(int exitCode) {
    if (watch == nullptr) {
        return;
    }
    const std::lock_guard lock(watch->mutex);
    watch->loopExitCode = exitCode;
    watch->changed.notify_all();
}

void StandDown() {
    if (watch == nullptr) {
        return;
    }
    const std::lock_guard lock(watch->mutex);
    watch->stoodDown = true;
    watch->changed.notify_all();
}

}  // namespace rpn::shutdown_watchdog

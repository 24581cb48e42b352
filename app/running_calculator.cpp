// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/running_calculator.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <thread>

#include "app/raise_channel.h"
#include "session/file_descriptor.h"
#include "session/session_lock.h"

namespace rpn {
namespace {

constexpr const char* kRaiseRequest = "raise ";
constexpr const char* kRaisedAnswer = "raised";
constexpr const char* kElsewhereAnswer = "elsewhere ";

std::string NoAnswer(const std::string& sessionPath) {
    return "the session file " + sessionPath +
           " is in use by another calculator, which does not answer";
}

// Whether the calculator that holds `lock` ends before `deadline`: one that is ending closes
// its channel unanswered a moment before it removes its lock file.
bool HolderGoesBefore(const SessionLock& lock, std::chrono::steady_clock::time_point deadline) {
    constexpr std::chrono::milliseconds kLookAgain{20};
    while (lock.StillNamed()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kLookAgain);
    }
    return true;
}

}  // namespace

RaiseAnswer AskRunningCalculatorToRaise(const std::string& channelPath, const std::string& display,
                                        const std::string& sessionPath,
                                        std::chrono::milliseconds wait) {
    RaiseAnswer answer;
    const std::string line = AskOnChannel(channelPath, kRaiseRequest + display, wait);
    answer.answered = line == kRaisedAnswer || line.starts_with(kElsewhereAnswer);
    if (line == kRaisedAnswer) {
        answer.raised = true;
    } else if (line.starts_with(kElsewhereAnswer)) {
        answer.problem = "the session file " + sessionPath +
                         " is in use by a calculator on another display (" +
                         line.substr(std::strlen(kElsewhereAnswer)) + ")";
    } else {
        answer.problem = NoAnswer(sessionPath);
    }
    return answer;
}

RaiseListener::RaiseListener(const std::string& channelPath, std::string display,
                             std::function<void()> raise)
    : display_(std::move(display)), raise_(std::move(raise)) {
    const int listening = ListenOnChannel(channelPath);
    if (listening < 0) {
        return;
    }
    listening_ = std::make_unique<FileDescriptor>(listening);
    auto* incoming = new QSocketNotifier(listening, QSocketNotifier::Read, this);
    connect(incoming, &QSocketNotifier::activated, this, [this] { TakeConnections(); });
}

RaiseListener::~RaiseListener() = default;

void RaiseListener::TakeConnections() {
    for (;;) {
        const int connection =
            ::accept4(listening_->get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (connection < 0) {
            return;
        }
        auto* reader = new QSocketNotifier(connection, QSocketNotifier::Read, this);
        auto request = std::make_shared<ChannelRequest>();
        connect(reader, &QSocketNotifier::activated, this, [this, reader, request, connection] {
            const ChannelRequest::State state = request->ReadFrom(connection);
            if (state == ChannelRequest::State::Incomplete) {
                return;
            }
            reader->setEnabled(false);
            reader->deleteLater();
            if (state == ChannelRequest::State::Refused) {
                ::close(connection);
                return;
            }
            if (request->line() == kRaiseRequest + display_) {
                raise_();
                AnswerOnChannel(connection, kRaisedAnswer);
            } else {
                AnswerOnChannel(connection, kElsewhereAnswer + display_);
            }
        });
    }
}

SessionClaim::SessionClaim(const std::string& sessionPath, const std::string& display,
                           std::chrono::milliseconds wait) {
    const LockFolders lockFolders = ChooseLockFolders(GatherLockPlaceFacts());
    if (!lockFolders.note.empty()) {
        std::fprintf(stderr, "rpncalc: %s\n", lockFolders.note.c_str());
    }
    // A calculator that was ending when this start asked it does not answer, and has removed
    // its lock file by the time the answer is overdue: the session is claimed again.
    constexpr int kClaims = 3;
    for (int claim = 0; claim < kClaims; ++claim) {
        if (Claim(sessionPath, display, wait, lockFolders.folders)) {
            break;
        }
    }
    const bool locked = std::any_of(locks_.begin(), locks_.end(), [](const auto& lock) {
        return lock->state() == SessionLock::State::Held;
    });
    if (runs_ && !locked && !lockFolders.folders.empty()) {
        std::fprintf(stderr,
                     "rpncalc: the session file %s cannot be locked: another calculator may run "
                     "on it\n",
                     sessionPath.c_str());
    }
}

bool SessionClaim::Claim(const std::string& sessionPath, const std::string& display,
                         std::chrono::milliseconds wait, const std::vector<std::string>& folders) {
    // The channels go before their locks, as when the calculator ends.
    listeners_.clear();
    locks_.clear();
    runs_ = true;
    exitCode_ = 0;
    // Held in every lock folder, so that a start which knows only some of them still finds
    // the running calculator, and answering on each.
    for (const std::string& folder : folders) {
        auto lock = std::make_unique<SessionLock>(sessionPath, folder);
        if (lock->state() == SessionLock::State::HeldElsewhere) {
            const auto deadline = std::chrono::steady_clock::now() + wait;
            const RaiseAnswer answer =
                AskRunningCalculatorToRaise(lock->channelPath(), display, sessionPath, wait);
            if (!answer.answered && HolderGoesBefore(*lock, deadline)) {
                return false;
            }
            runs_ = false;
            if (!answer.raised) {
                std::fprintf(stderr, "rpncalc: %s\n", answer.problem.c_str());
                exitCode_ = 1;
            }
            return true;
        }
        if (lock->state() == SessionLock::State::Held) {
            // Listening before the windows exist: a later start waits for no window.
            listeners_.push_back(
                std::make_unique<RaiseListener>(lock->channelPath(), display, [this] {
                    if (mainWindow_ != nullptr) {
                        BringToFront(*mainWindow_, keypad_);
                    }
                }));
        }
        locks_.push_back(std::move(lock));
    }
    return true;
}

SessionClaim::~SessionClaim() = default;

void SessionClaim::SetWindows(QWidget* mainWindow, QWidget* keypad) {
    mainWindow_ = mainWindow;
    keypad_ = keypad;
}

void BringToFront(QWidget& mainWindow, QWidget* keypad) {
    mainWindow.setWindowState(mainWindow.windowState() & ~Qt::WindowMinimized);
    mainWindow.show();
    mainWindow.raise();
    if (keypad != nullptr && keypad->isVisible()) {
        keypad->raise();
    }
    mainWindow.activateWindow();
}

std::string DisplayIdentity(const std::string& platform, const std::string& displayName) {
    std::string display = displayName;
    // ":0" and ":0.0" are one display.
    const std::size_t colon = display.rfind(':');
    const std::size_t dot = display.rfind('.');
    if (colon != std::string::npos && dot != std::string::npos && dot > colon) {
        display.resize(dot);
    }
    return display.empty() ? platform : platform + " " + display;
}

}  // namespace rpn

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/running_calculator.h"

#include <QWidget>
#include <cstdio>
#include <cstring>
#include <thread>

#include "app/raise_channel.h"
#include "app/raise_listener.h"
#include "session/session_lock.h"

namespace rpn {
namespace {

constexpr const char* kRaiseRequest = "raise ";
constexpr const char* kRaisedAnswer = "raised";
constexpr const char* kElsewhereAnswer = "elsewhere ";

// Between attempts to reach a calculator that holds the lock but does not listen.
constexpr std::chrono::milliseconds kAskAgain{50};

// The one line for the user when the running calculator did not come forward.
std::string Problem(const ChannelAnswer& answer, const std::string& sessionPath) {
    if (answer.kind == ChannelAnswer::Kind::Answered && answer.line.starts_with(kElsewhereAnswer)) {
        return "the session file " + sessionPath +
               " is in use by a calculator on another display (" +
               answer.line.substr(std::strlen(kElsewhereAnswer)) + ")";
    }
    return "the session file " + sessionPath +
           " is in use by another calculator, which does not answer";
}

}  // namespace

SessionClaim::SessionClaim(const std::string& sessionPath, const std::string& display,
                           std::chrono::milliseconds answerWait,
                           std::chrono::milliseconds startingWait) {
    const LockFolders lockFolders = ChooseLockFolders(GatherLockPlaceFacts());
    if (!lockFolders.note.empty()) {
        std::fprintf(stderr, "rpncalc: %s\n", lockFolders.note.c_str());
    }
    const auto giveUp = std::chrono::steady_clock::now() + startingWait;
    for (;;) {
        const std::string runningChannel = TakeLocks(sessionPath, lockFolders.folders);
        if (runningChannel.empty()) {
            break;
        }
        const ChannelAnswer answer =
            AskOnChannel(runningChannel, kRaiseRequest + display, answerWait);
        if (answer.kind != ChannelAnswer::Kind::NobodyListens ||
            std::chrono::steady_clock::now() >= giveUp) {
            runs_ = false;
            if (answer.kind != ChannelAnswer::Kind::Answered || answer.line != kRaisedAnswer) {
                std::fprintf(stderr, "rpncalc: %s\n", Problem(answer, sessionPath).c_str());
                exitCode_ = 1;
            }
            return;
        }
        std::this_thread::sleep_for(kAskAgain);
    }
    std::vector<std::string> channels;
    for (const auto& lock : locks_) {
        if (lock->state() == SessionLock::State::Held) {
            channels.push_back(lock->channelPath());
        }
    }
    if (channels.empty() && !lockFolders.folders.empty()) {
        std::fprintf(stderr,
                     "rpncalc: the session file %s cannot be locked: another calculator may run "
                     "on it\n",
                     sessionPath.c_str());
    }
    listener_ = std::make_unique<RaiseListener>(channels, [this, display](const std::string& line) {
        if (line != kRaiseRequest + display) {
            return kElsewhereAnswer + display;
        }
        if (mainWindow_ != nullptr) {
            BringToFront(*mainWindow_, keypad_);
        }
        return std::string(kRaisedAnswer);
    });
}

std::string SessionClaim::TakeLocks(const std::string& sessionPath,
                                    const std::vector<std::string>& folders) {
    // Held in every lock folder, so that a start which knows only some of them still finds
    // the running calculator, and answering on each.
    locks_.clear();
    for (const std::string& folder : folders) {
        auto lock = std::make_unique<SessionLock>(sessionPath, folder);
        if (lock->state() == SessionLock::State::HeldElsewhere) {
            locks_.clear();
            return lock->channelPath();
        }
        locks_.push_back(std::move(lock));
    }
    return {};
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

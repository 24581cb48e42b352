// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/running_calculator.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QWidget>
#include <cstdio>
#include <cstring>

#include "session/session_lock.h"

namespace rpn {
namespace {

constexpr const char* kRaiseRequest = "raise ";
constexpr const char* kRaisedAnswer = "raised";
constexpr const char* kElsewhereAnswer = "elsewhere ";
// A request is one short line; anything longer is no calculator's.
constexpr qint64 kLongestLine = 4096;
// Between attempts to reach a calculator that holds the lock but is not listening yet.
constexpr std::chrono::milliseconds kConnectRetry{50};

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

std::string NoAnswer(const std::string& sessionPath) {
    return "the session file " + sessionPath +
           " is in use by another calculator, which does not answer";
}

}  // namespace

RaiseAnswer AskRunningCalculatorToRaise(const std::string& channelPath, const std::string& display,
                                        const std::string& sessionPath,
                                        std::chrono::milliseconds wait) {
    const Clock::time_point deadline = Clock::now() + wait;
    RaiseAnswer answer;
    QLocalSocket socket;
    const QString channel = QString::fromLocal8Bit(channelPath);
    for (;;) {
        socket.connectToServer(channel);
        if (socket.waitForConnected(MillisecondsLeft(deadline))) {
            break;
        }
        // The calculator may have taken the lock a moment ago and not be listening yet.
        if (MillisecondsLeft(deadline) <= kConnectRetry.count()) {
            answer.problem = NoAnswer(sessionPath);
            return answer;
        }
        QThread::msleep(kConnectRetry.count());
    }
    socket.write(QByteArray(kRaiseRequest) + QByteArray::fromStdString(display) + '\n');
    while (!socket.canReadLine() && socket.bytesAvailable() < kLongestLine &&
           socket.waitForReadyRead(MillisecondsLeft(deadline))) {
    }
    if (!socket.canReadLine()) {
        answer.problem = NoAnswer(sessionPath);
        return answer;
    }
    const QByteArray line = socket.readLine(kLongestLine).trimmed();
    if (line == kRaisedAnswer) {
        answer.raised = true;
    } else if (line.startsWith(kElsewhereAnswer)) {
        answer.problem =
            "the session file " + sessionPath + " is in use by a calculator on another display (" +
            line.mid(static_cast<qsizetype>(std::strlen(kElsewhereAnswer))).toStdString() + ")";
    } else {
        answer.problem = NoAnswer(sessionPath);
    }
    return answer;
}

RaiseListener::RaiseListener(const std::string& channelPath, std::string display,
                             std::function<void()> raise)
    : server_(new QLocalServer(this)), display_(std::move(display)), raise_(std::move(raise)) {
    const QString channel = QString::fromLocal8Bit(channelPath);
    // Only the holder of the session's lock listens: a channel still there is a killed
    // calculator's.
    QLocalServer::removeServer(channel);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    server_->listen(channel);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine()) {
                    if (socket->bytesAvailable() > kLongestLine) {
                        socket->abort();
                    }
                    return;
                }
                const QByteArray line = socket->readLine(kLongestLine).trimmed();
                const QByteArray own = QByteArray::fromStdString(display_);
                if (line == QByteArray(kRaiseRequest) + own) {
                    raise_();
                    socket->write(QByteArray(kRaisedAnswer) + '\n');
                } else {
                    socket->write(QByteArray(kElsewhereAnswer) + own + '\n');
                }
                socket->flush();
                socket->disconnectFromServer();
            });
        }
    });
}

SessionClaim::SessionClaim(const std::string& sessionPath, const std::string& display,
                           std::chrono::milliseconds wait)
    : lock_(std::make_unique<SessionLock>(sessionPath, RuntimeFolder())) {
    if (lock_->state() == SessionLock::State::HeldElsewhere) {
        const RaiseAnswer answer =
            AskRunningCalculatorToRaise(lock_->channelPath(), display, sessionPath, wait);
        runs_ = false;
        if (!answer.raised) {
            std::fprintf(stderr, "rpncalc: %s\n", answer.problem.c_str());
            exitCode_ = 1;
        }
        return;
    }
    if (lock_->state() == SessionLock::State::Held) {
        // Listening before the windows exist: a later start waits for no window.
        listener_ = std::make_unique<RaiseListener>(lock_->channelPath(), display, [this] {
            if (mainWindow_ != nullptr) {
                BringToFront(*mainWindow_, keypad_);
            }
        });
    }
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

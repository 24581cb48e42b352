// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/raise_listener.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>

#include "app/raise_channel.h"
#include "session/file_descriptor.h"

namespace rpn {

using Clock = std::chrono::steady_clock;

struct RaiseListener::Listening {
    Listening(int fd, QObject* owner)
        : socket(fd),
          incoming(new QSocketNotifier(fd, QSocketNotifier::Read, owner)),
          resume(new QTimer(owner)) {}
    ~Listening() {
        delete incoming;
        delete resume;
    }
    Listening(const Listening&) = delete;
    Listening& operator=(const Listening&) = delete;
    FileDescriptor socket;
    QSocketNotifier* incoming;
    QTimer* resume;
};

struct RaiseListener::Connection {
    Connection(int fd, QObject* owner)
        : socket(fd),
          silentFrom(Clock::now()),
          readable(new QSocketNotifier(fd, QSocketNotifier::Read, owner)) {}
    FileDescriptor socket;
    ChannelRequest request;
    Clock::time_point silentFrom;
    QSocketNotifier* readable;
};

RaiseListener::RaiseListener(const std::vector<std::string>& channelPaths, Answer answer,
                             ChannelLimits limits)
    : answer_(std::move(answer)), limits_(limits), silenceTimer_(new QTimer(this)) {
    silenceTimer_->setSingleShot(true);
    connect(silenceTimer_, &QTimer::timeout, this, [this] { CloseSilentConnections(); });
    // A start that reaches the channel can count on an answer at once; one that comes
    // before the event loop runs, or after it has ended, finds nobody and asks again.
    QMetaObject::invokeMethod(
        this, [this, channelPaths] { Listen(channelPaths); }, Qt::QueuedConnection);
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
            [this] { listening_.clear(); });
}

void RaiseListener::Listen(const std::vector<std::string>& channelPaths) {
    for (const std::string& path : channelPaths) {
        const int socket = ListenOnChannel(path);
        if (socket < 0) {
            continue;
        }
        Listening& listening = listening_.emplace_back(socket, this);
        connect(listening.incoming, &QSocketNotifier::activated, this,
                [this, &listening] { TakeConnections(listening); });
        listening.resume->setSingleShot(true);
        connect(listening.resume, &QTimer::timeout, this,
                [&listening] { listening.incoming->setEnabled(true); });
    }
}

RaiseListener::~RaiseListener() = default;

void RaiseListener::TakeConnections(Listening& listening) {
    for (;;) {
        const int socket =
            ::accept4(listening.socket.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (socket < 0) {
            if (errno == EINTR || errno == ECONNABORTED) {
                continue;
            }
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                // No descriptor (or memory) for it: the connection stays queued, and the
                // notifier would call at once again and again.
                PauseTaking(listening);
            }
            return;
        }
        const auto connection = waiting_.emplace(waiting_.end(), socket, this);
        connect(connection->readable, &QSocketNotifier::activated, this,
                [this, connection] { Read(connection); });
        // Its line has often come with it.
        if (Read(connection) && waiting_.size() > limits_.waitingConnections) {
            // A start sends its line as it connects: the newest connection is the likelier
            // one to be a start, the oldest has been silent longest.
            Close(waiting_.begin());
        }
        if (!waiting_.empty() && !silenceTimer_->isActive()) {
            silenceTimer_->start(limits_.idle);
        }
    }
}

bool RaiseListener::Read(std::list<Connection>::iterator connection) {
    const ChannelRequest::State state = connection->request.ReadFrom(connection->socket.get());
    if (state == ChannelRequest::State::Incomplete) {
        return true;
    }
    if (state == ChannelRequest::State::Complete) {
        AnswerOnChannel(connection->socket.release(), answer_(connection->request.line()));
    }
    Close(connection);
    return false;
}

void RaiseListener::Close(std::list<Connection>::iterator connection) {
    // The notifier may be the one calling: it goes once its call has returned, and never
    // looks at the closed descriptor again.
    connection->readable->setEnabled(false);
    connection->readable->deleteLater();
    waiting_.erase(connection);
    for (Listening& listening : listening_) {
        // A descriptor is free again.
        if (listening.resume->isActive()) {
            listening.resume->stop();
            listening.incoming->setEnabled(true);
        }
    }
}

void RaiseListener::CloseSilentConnections() {
    const Clock::time_point now = Clock::now();
    while (!waiting_.empty() && now - waiting_.front().silentFrom >= limits_.idle) {
        Close(waiting_.begin());
    }
    if (!waiting_.empty()) {
        silenceTimer_->start(std::chrono::ceil<std::chrono::milliseconds>(
            waiting_.front().silentFrom + limits_.idle - now));
    }
}

void RaiseListener::PauseTaking(Listening& listening) {
    listening.incoming->setEnabled(false);
    listening.resume->start(limits_.outOfDescriptorsPause);
}

}  // namespace rpn

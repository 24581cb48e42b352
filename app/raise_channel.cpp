// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/raise_channel.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "session/file_descriptor.h"

namespace rpn {
namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// The socket address of `path`; none when the path does not fit one.
std::optional<sockaddr_un> AddressOf(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof(address.sun_path) ||
        path.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    std::memcpy(address.sun_path, path.data(), path.size());
    return address;
}

// Waits until the socket is ready for `events` or the deadline passes.
bool WaitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, MillisecondsLeft(deadline));
        if (ready > 0) {
            return true;
        }
        if (ready == 0 || errno != EINTR) {
            return false;
        }
    }
}

// A socket connected to `address`, or -1 when nothing takes the connection now. A local
// connection is taken by the system at once or not at all: a listener whose queue is full
// (a busy calculator, or one that hangs) is not waited for here.
int Connect(const sockaddr_un& address) {
    FileDescriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (socket.get() < 0) {
        return -1;
    }
    const auto* raw = reinterpret_cast<const sockaddr*>(&address);
    return ::connect(socket.get(), raw, sizeof(address)) == 0 ? socket.release() : -1;
}

bool SendAll(int fd, const std::string& text, Clock::time_point deadline) {
    std::size_t sent = 0;
    while (sent < text.size()) {
        const ssize_t n = ::send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!WaitFor(fd, POLLOUT, deadline)) {
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

ChannelAnswer AskOnChannel(const std::string& path, const std::string& request,
                           std::chrono::milliseconds wait) {
    const Clock::time_point deadline = Clock::now() + wait;
    ChannelAnswer answer;
    const std::optional<sockaddr_un> address = AddressOf(path);
    if (!address) {
        return answer;
    }
    FileDescriptor socket(Connect(*address));
    if (socket.get() < 0 || !SendAll(socket.get(), request + '\n', deadline)) {
        return answer;
    }
    char buffer[512];
    for (;;) {
        if (!WaitFor(socket.get(), POLLIN, deadline)) {
            answer.kind = ChannelAnswer::Kind::Silent;
            return answer;
        }
        const ssize_t n = ::recv(socket.get(), buffer, sizeof(buffer), 0);
        if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) {
            continue;
        }
        if (n <= 0) {
            // Closed without a whole answer: the listener made room for others, or ended.
            answer.line.clear();
            return answer;
        }
        answer.line.append(buffer, static_cast<std::size_t>(n));
        const std::size_t newline = answer.line.find('\n');
        if (newline != std::string::npos) {
            answer.line.resize(newline);
            answer.kind = ChannelAnswer::Kind::Answered;
            return answer;
        }
        if (answer.line.size() > kLongestChannelLine) {
            answer.line.clear();
            return answer;
        }
    }
}

int ListenOnChannel(const std::string& path) {
    const std::optional<sockaddr_un> address = AddressOf(path);
    if (!address) {
        return -1;
    }
    FileDescriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (socket.get() < 0) {
        return -1;
    }
    // Only the holder of the session's lock listens: a channel still there is a killed
    // calculator's.
    ::unlink(path.c_str());
    const auto* raw = reinterpret_cast<const sockaddr*>(&*address);
    if (::bind(socket.get(), raw, sizeof(*address)) != 0 || ::chmod(path.c_str(), 0600) != 0 ||
        ::listen(socket.get(), 8) != 0) {
        return -1;
    }
    return socket.release();
}

ChannelRequest::State ChannelRequest::ReadFrom(int connection) {
    char buffer[512];
    while (state_ == State::Incomplete) {
        const ssize_t n = ::recv(connection, buffer, sizeof(buffer), 0);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break;
        }
        if (n <= 0) {
            // Closed, or broken, before a whole line came.
            state_ = State::Refused;
            break;
        }
        line_.append(buffer, static_cast<std::size_t>(n));
        const std::size_t newline = line_.find('\n');
        if (newline != std::string::npos) {
            line_.resize(newline);
            state_ = State::Complete;
        } else if (line_.size() > kLongestChannelLine) {
            state_ = State::Refused;
        }
    }
    return state_;
}

void AnswerOnChannel(int connection, const std::string& answer) {
    // One short line into an empty socket buffer: it goes at once or not at all.
    const std::string line = answer + '\n';
    [[maybe_unused]] const ssize_t sent =
        ::send(connection, line.data(), line.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    ::close(connection);
}

}  // namespace rpn

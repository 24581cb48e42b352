// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace rpn {

// The local channel on which a later start asks the running calculator of a session file to
// come to the front: one request line, one answer line, over a Unix socket that only the
// user can reach (it lies in the user's private runtime folder).

// A request is one short line; anything longer is no calculator's.
inline constexpr std::size_t kLongestChannelLine = 4096;

// What a calculator at the channel said to a request.
struct ChannelAnswer {
    enum class Kind {
        // `line` holds its answer line.
        Answered,
        // Nobody took the request: nothing listens at the path (a calculator that has just
        // taken the lock and not reached its event loop yet, or one that is ending), or the
        // connection was closed without an answer. Worth asking again.
        NobodyListens,
        // The request went in and no answer came within the wait: a calculator that hangs.
        Silent,
    };
    Kind kind = Kind::NobodyListens;
    std::string line;
};

// Sends `request` (one line, without its newline) to the calculator listening at `path` and
// waits at most `wait` for its answer line. Connects once: asking again is the caller's.
ChannelAnswer AskOnChannel(const std::string& path, const std::string& request,
                           std::chrono::milliseconds wait);

// Listens at `path`, replacing a channel a killed calculator left; -1 when it cannot. The
// socket does not block and is closed on exec.
int ListenOnChannel(const std::string& path);

// One connection taken by the listener: reads its request line as it comes in.
class ChannelRequest {
  public:
    enum class State { Incomplete, Complete, Refused };

    // Reads what the connection has sent so far.
    State ReadFrom(int connection);
    // The request line without its newline, once Complete.
    const std::string& line() const { return line_; }

  private:
    std::string line_;
    State state_ = State::Incomplete;
};

// Writes the answer line to the connection and closes it.
void AnswerOnChannel(int connection, const std::string& answer);

}  // namespace rpn

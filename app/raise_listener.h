// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <chrono>
#include <cstddef>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;
class QTimer;

namespace rpn {

class FileDescriptor;

// What the listener lets the processes that connect to it hold. A later start sends its line
// the moment it connects, so a connection that is still silent after `idle` is nobody's,
// and a few waiting connections are all that real starts ever need at once.
struct ChannelLimits {
    std::size_t waitingConnections = 4;
    std::chrono::milliseconds idle{1000};
    // How long taking connections pauses when the process has no descriptor left for one.
    std::chrono::milliseconds outOfDescriptorsPause{200};
};

// The running calculator's end of the raise channel, on the event loop: takes the
// connections at the channel paths and answers each request line with `answer(line)`.
// Whatever the processes at the other end do (connect by the thousand, send part of a line,
// send nothing, close at once), the listener holds at most `waitingConnections` of them,
// each at most `idle` long, and wakes only when something arrives.
class RaiseListener : public QObject {
    Q_OBJECT
  public:
    using Answer = std::function<std::string(const std::string& request)>;

    // Listens from the first turn of the event loop to its end; a path that cannot be
    // listened at is left out.
    RaiseListener(const std::vector<std::string>& channelPaths, Answer answer,
                  ChannelLimits limits = {});
    ~RaiseListener() override;

    // Whether any path is listened at.
    bool listening() const { return !listening_.empty(); }

  private:
    struct Listening;
    struct Connection;

    void Listen(const std::vector<std::string>& channelPaths);
    void TakeConnections(Listening& listening);
    // Reads what `connection` sent; answers and closes it once its line is in, or closes it
    // when it can never send one. Returns whether it still waits.
    bool Read(std::list<Connection>::iterator connection);
    void Close(std::list<Connection>::iterator connection);
    void CloseSilentConnections();
    void PauseTaking(Listening& listening);

    Answer answer_;
    ChannelLimits limits_;
    std::list<Listening> listening_;
    // Oldest first: the first to fall silent for too long, and the first to make room.
    std::list<Connection> waiting_;
    QTimer* silenceTimer_;
};

}  // namespace rpn

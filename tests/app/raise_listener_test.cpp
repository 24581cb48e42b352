// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/raise_listener.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>

#include "session/file_descriptor.h"

using namespace std::chrono_literals;
using rpn::ChannelLimits;
using rpn::FileDescriptor;
using rpn::RaiseListener;

namespace {

// Limits small enough for a test to see them act.
constexpr ChannelLimits kLimits{3, 300ms, 100ms};

// What the other end of a connection has done with it.
enum class Peer { Open, Closed, Answered };

class Client {
  public:
    explicit Client(const std::string& path) : socket_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.data(), path.size());
        connected_ = ::connect(socket_.get(), reinterpret_cast<const sockaddr*>(&address),
                               sizeof(address)) == 0;
    }
    bool connected() const { return connected_; }
    void Send(const std::string& text) {
        QCOMPARE(::send(socket_.get(), text.data(), text.size(), MSG_NOSIGNAL),
                 static_cast<ssize_t>(text.size()));
    }
    void EndSending() { ::shutdown(socket_.get(), SHUT_WR); }
    // Never waits: what has come in so far.
    Peer State() {
        pollfd entry{socket_.get(), POLLIN, 0};
        if (::poll(&entry, 1, 0) == 1) {
            char buffer[256];
            const ssize_t n = ::recv(socket_.get(), buffer, sizeof buffer, MSG_DONTWAIT);
            if (n > 0) {
                answer_.append(buffer, static_cast<std::size_t>(n));
            } else if (n == 0) {
                closed_ = true;
            }
        }
        if (!answer_.empty() && answer_.back() == '\n') {
            return Peer::Answered;
        }
        return closed_ ? Peer::Closed : Peer::Open;
    }
    const std::string& answer() const { return answer_; }

  private:
    FileDescriptor socket_;
    bool connected_ = false;
    bool closed_ = false;
    std::string answer_;
};

// The processor time this thread has used.
std::chrono::nanoseconds ThreadCpuTime() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

}  // namespace

class RaiseListenerTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    std::string path_;
    std::unique_ptr<RaiseListener> listener_;

    void Listen() {
        listener_ = std::make_unique<RaiseListener>(
            std::vector<std::string>{path_},
            [](const std::string& line) { return "answer to " + line; }, kLimits);
        QTRY_VERIFY(listener_->listening());
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("channel")).toStdString();
    }
    void init() { Listen(); }
    void cleanup() { listener_.reset(); }

    void answersARequestLine() {
        Client client(path_);
        QVERIFY(client.connected());
        client.Send("raise xcb :0\n");
        QTRY_COMPARE(client.State(), Peer::Answered);
        QCOMPARE(client.answer(), std::string("answer to raise xcb :0\n"));
    }

    // Connections that send nothing, part of a line, or end before the line's end.
    void closesWhatNeverSendsALine() {
        const std::chrono::nanoseconds cpuBefore = ThreadCpuTime();
        Client silent(path_);
        Client partial(path_);
        Client ended(path_);
        partial.Send("raise");
        ended.Send("rai");
        ended.EndSending();
        QTRY_COMPARE(ended.State(), Peer::Closed);
        QCOMPARE(silent.State(), Peer::Open);
        QCOMPARE(partial.State(), Peer::Open);
        // Closed once silent for the idle time, by a timer: not a loop that polls meanwhile.
        QTRY_COMPARE(silent.State(), Peer::Closed);
        QTRY_COMPARE(partial.State(), Peer::Closed);
        const auto busy =
            std::chrono::duration_cast<std::chrono::milliseconds>(ThreadCpuTime() - cpuBefore);
        QVERIFY2(busy < 100ms, qPrintable(QStringLiteral("%1 ms").arg(busy.count())));
    }

    // The oldest silent connection makes room for a newer one; a request still gets in.
    void holdsOnlyAFewConnections() {
        std::vector<std::unique_ptr<Client>> silent;
        for (std::size_t i = 0; i < kLimits.waitingConnections; ++i) {
            silent.push_back(std::make_unique<Client>(path_));
            silent.back()->Send("r");
            QTest::qWait(0);
        }
        Client request(path_);
        request.Send("raise\n");
        QTRY_COMPARE(request.State(), Peer::Answered);
        Client newest(path_);
        QTRY_COMPARE(silent.front()->State(), Peer::Closed);
        for (std::size_t i = 1; i < silent.size(); ++i) {
            QCOMPARE(silent[i]->State(), Peer::Open);
        }
        QCOMPARE(newest.State(), Peer::Open);
    }

    // With no descriptor left for a connection, the listener waits for one instead of being
    // called again and again for the connection it cannot take.
    void waitsForADescriptorWithoutSpinning() {
        Client request(path_);
        request.Send("raise\n");
        rlimit limit{};
        QCOMPARE(::getrlimit(RLIMIT_NOFILE, &limit), 0);
        const rlimit before = limit;
        // Every descriptor in use up to a limit a little above those open now.
        const int spare = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        QVERIFY(spare >= 0);
        limit.rlim_cur = static_cast<rlim_t>(spare) + 8;
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &limit), 0);
        std::vector<int> filler{spare};
        for (int fd; (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;) {
            filler.push_back(fd);
        }
        QCOMPARE(errno, EMFILE);
        // Long enough for a spinning listener to turn the loop thousands of times.
        const std::chrono::nanoseconds cpuBefore = ThreadCpuTime();
        QTest::qWait(500);
        const auto busy =
            std::chrono::duration_cast<std::chrono::milliseconds>(ThreadCpuTime() - cpuBefore);
        const Peer meanwhile = request.State();
        for (const int fd : filler) {
            ::close(fd);
        }
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &before), 0);
        QCOMPARE(meanwhile, Peer::Open);
        // Waiting costs next to nothing; a listener that spins uses the whole time.
        QVERIFY2(busy < 100ms, qPrintable(QStringLiteral("%1 ms").arg(busy.count())));
        QTRY_COMPARE(request.State(), Peer::Answered);
    }
};

QTEST_GUILESS_MAIN(RaiseListenerTest)
#include "raise_listener_test.moc"

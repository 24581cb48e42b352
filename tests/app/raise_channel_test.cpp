// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/raise_channel.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

namespace rpn {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class RaiseChannelTest : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "raise-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        path_ = (folder_ / "channel.socket").string();
    }
    void TearDown() override { fs::remove_all(folder_); }

    // Accepts one connection on `listening` (waiting at most 5 s) and answers its request
    // with `answer(request)`, the way the running calculator does.
    template <typename Answer>
    static void AnswerOne(int listening, Answer answer) {
        pollfd entry{listening, POLLIN, 0};
        ASSERT_EQ(::poll(&entry, 1, 5000), 1);
        const int connection = ::accept4(listening, nullptr, nullptr, SOCK_NONBLOCK);
        ASSERT_GE(connection, 0);
        ChannelRequest request;
        while (request.ReadFrom(connection) == ChannelRequest::State::Incomplete) {
            pollfd in{connection, POLLIN, 0};
            ASSERT_EQ(::poll(&in, 1, 5000), 1);
        }
        if (request.ReadFrom(connection) == ChannelRequest::State::Refused) {
            ::close(connection);
            return;
        }
        AnswerOnChannel(connection, answer(request.line()));
    }

    fs::path folder_;
    std::string path_;
};

TEST_F(RaiseChannelTest, TheRequestLineGetsTheListenersAnswer) {
    const int listening = ListenOnChannel(path_);
    ASSERT_GE(listening, 0);
    // Only the user may reach the running calculator.
    struct stat status {};
    ASSERT_EQ(::stat(path_.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    std::thread listener([listening] {
        AnswerOne(listening, [](const std::string& line) { return "got " + line; });
    });
    const ChannelAnswer answer = AskOnChannel(path_, "raise xcb :5", 5s);
    EXPECT_EQ(answer.kind, ChannelAnswer::Kind::Answered);
    EXPECT_EQ(answer.line, "got raise xcb :5");
    listener.join();
    ::close(listening);
}

TEST_F(RaiseChannelTest, AChannelLeftByAKilledCalculatorIsReplaced) {
    const int killed = ListenOnChannel(path_);
    ASSERT_GE(killed, 0);
    ::close(killed);
    const int listening = ListenOnChannel(path_);
    ASSERT_GE(listening, 0);
    std::thread listener(
        [listening] { AnswerOne(listening, [](const std::string&) { return "raised"; }); });
    EXPECT_EQ(AskOnChannel(path_, "raise", 5s).line, "raised");
    listener.join();
    ::close(listening);
}

// Nobody listening is worth asking again (the calculator may be starting); a listener that
// takes the request and says nothing is not.
TEST_F(RaiseChannelTest, NobodyListeningIsToldFromNoAnswer) {
    EXPECT_EQ(AskOnChannel(path_, "raise", 5s).kind, ChannelAnswer::Kind::NobodyListens);
    // A channel left by a killed calculator.
    ::close(ListenOnChannel(path_));
    EXPECT_EQ(AskOnChannel(path_, "raise", 5s).kind, ChannelAnswer::Kind::NobodyListens);
    const int listening = ListenOnChannel(path_);
    ASSERT_GE(listening, 0);
    EXPECT_EQ(AskOnChannel(path_, "raise", 200ms).kind, ChannelAnswer::Kind::Silent);
    ::close(listening);
    // A path too long for a socket address: nobody can listen there, and nothing is asked.
    const std::string tooLong = (folder_ / std::string(200, 'x')).string();
    EXPECT_EQ(ListenOnChannel(tooLong), -1);
    EXPECT_EQ(AskOnChannel(tooLong, "raise", 5s).kind, ChannelAnswer::Kind::NobodyListens);
}

TEST_F(RaiseChannelTest, ARequestBeyondTheLongestLineIsRefused) {
    const int listening = ListenOnChannel(path_);
    ASSERT_GE(listening, 0);
    bool answered = false;
    std::thread listener([listening, &answered] {
        AnswerOne(listening, [&answered](const std::string&) {
            answered = true;
            return "raised";
        });
    });
    const ChannelAnswer answer = AskOnChannel(path_, std::string(2 * kLongestChannelLine, 'r'), 5s);
    listener.join();
    EXPECT_EQ(answer.kind, ChannelAnswer::Kind::NobodyListens);
    EXPECT_FALSE(answered);
    ::close(listening);
}

}  // namespace
}  // namespace rpn

// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/session_lock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace rpn {
namespace {

namespace fs = std::filesystem;

class SessionLockTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "rpncalc-lock-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr) << std::strerror(errno);
        folder = pattern;
        runtime = folder + "/runtime";
        fs::create_directory(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
        fs::create_directory(folder + "/a");
        fs::create_directory(folder + "/b");
        fs::create_directory_symlink(folder + "/a", folder + "/link-to-a");
        std::ofstream(folder + "/a/kept.cfg") << "1\r\n";
        fs::create_symlink(folder + "/a/kept.cfg", folder + "/b/rpncalc.cfg");
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string folder;
    std::string runtime;
};

// Every path to one session file shares one lock; other files have their own.
TEST_F(SessionLockTest, OneHolderPerSessionFile) {
    struct Case {
        const char* name;
        const char* first;
        const char* second;
        SessionLock::State secondState;
    };
    const Case cases[] = {
        {"same path", "/a/rpncalc.cfg", "/a/rpncalc.cfg", SessionLock::State::HeldElsewhere},
        {"through a linked folder", "/a/rpncalc.cfg", "/link-to-a/rpncalc.cfg",
         SessionLock::State::HeldElsewhere},
        {"with a dot step", "/a/rpncalc.cfg", "/b/../a/rpncalc.cfg",
         SessionLock::State::HeldElsewhere},
        {"a linked session file", "/a/kept.cfg", "/b/rpncalc.cfg",
         SessionLock::State::HeldElsewhere},
        {"another folder", "/a/rpncalc.cfg", "/b/own.cfg", SessionLock::State::Held},
        {"another name", "/a/rpncalc.cfg", "/a/other.cfg", SessionLock::State::Held},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SessionLock first(folder + c.first, runtime);
        ASSERT_EQ(first.state(), SessionLock::State::Held);
        const SessionLock second(folder + c.second, runtime);
        EXPECT_EQ(second.state(), c.secondState);
        // A second start finds the first where it listens.
        if (c.secondState == SessionLock::State::HeldElsewhere) {
            EXPECT_EQ(second.channelPath(), first.channelPath());
        } else {
            EXPECT_NE(second.channelPath(), first.channelPath());
        }
    }
}

// The lock goes with its holder, and the file it leaves behind blocks nobody.
TEST_F(SessionLockTest, LockGoesWithItsHolder) {
    const std::string session = folder + "/a/rpncalc.cfg";
    auto first = std::make_unique<SessionLock>(session, runtime);
    ASSERT_EQ(first->state(), SessionLock::State::Held);
    first.reset();
    const SessionLock next(session, runtime);
    EXPECT_EQ(next.state(), SessionLock::State::Held);
}

TEST_F(SessionLockTest, NoRuntimeFolderMeansNoLock) {
    struct Case {
        const char* name;
        std::string runtime;
    };
    const Case cases[] = {
        {"none known", ""},
        {"missing", folder + "/missing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SessionLock lock(folder + "/a/rpncalc.cfg", c.runtime);
        EXPECT_EQ(lock.state(), SessionLock::State::Unavailable);
        EXPECT_EQ(lock.channelPath(), "");
    }
}

// A runtime folder that others may enter, or that is a link, could let them answer for the
// calculator: the private folder under /tmp is used instead.
TEST_F(SessionLockTest, RuntimeFolderIsPrivate) {
    const std::string fallback = "/tmp/rpncalc-" + std::to_string(::geteuid());
    fs::create_directory(folder + "/open");
    ::chmod((folder + "/open").c_str(), 0755);
    fs::create_directory_symlink(runtime, folder + "/link");
    struct Case {
        const char* name;
        std::string variable;
        std::string expected;
    };
    const Case cases[] = {
        {"private", runtime, runtime},
        {"open to others", folder + "/open", fallback},
        {"a link", folder + "/link", fallback},
        {"relative", "runtime", fallback},
    };
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::string previous = saved ? saved : "";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ::setenv("XDG_RUNTIME_DIR", c.variable.c_str(), 1);
        EXPECT_EQ(RuntimeFolder(), c.expected);
    }
    if (saved) {
        ::setenv("XDG_RUNTIME_DIR", previous.c_str(), 1);
    } else {
        ::unsetenv("XDG_RUNTIME_DIR");
    }
}

// Two starts on one session file whose environments name different runtime folders, or one
// none (a terminal outside the desktop's session): the later one still finds the lock of the
// first, which holds one in every lock folder.
TEST_F(SessionLockTest, StartsWithDifferentRuntimeFoldersMeet) {
    struct Case {
        const char* name;
        const char* first;
        const char* second;
    };
    const std::string other = folder + "/b";
    fs::permissions(other, fs::perms::owner_all);
    const Case cases[] = {
        {"runtime folder, then none", runtime.c_str(), nullptr},
        {"none, then a runtime folder", nullptr, runtime.c_str()},
        {"two runtime folders", runtime.c_str(), other.c_str()},
    };
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::string previous = saved ? saved : "";
    const auto setRuntime = [](const char* value) {
        if (value) {
            ::setenv("XDG_RUNTIME_DIR", value, 1);
        } else {
            ::unsetenv("XDG_RUNTIME_DIR");
        }
    };
    const std::string session = folder + "/a/rpncalc.cfg";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setRuntime(c.first);
        std::vector<std::unique_ptr<SessionLock>> held;
        for (const std::string& lockFolder : LockFolders()) {
            held.push_back(std::make_unique<SessionLock>(session, lockFolder));
            EXPECT_EQ(held.back()->state(), SessionLock::State::Held) << lockFolder;
        }
        setRuntime(c.second);
        bool found = false;
        for (const std::string& lockFolder : LockFolders()) {
            found = found ||
                    SessionLock(session, lockFolder).state() == SessionLock::State::HeldElsewhere;
        }
        EXPECT_TRUE(found);
    }
    setRuntime(saved ? previous.c_str() : nullptr);
}

}  // namespace
}  // namespace rpn

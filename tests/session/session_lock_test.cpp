// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/session_lock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
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

TEST_F(SessionLockTest, NoLockFolderMeansNoLock) {
    struct Case {
        const char* name;
        std::string folder;
    };
    const Case cases[] = {
        {"none known", ""},
        {"missing", folder + "/missing"},
        {"open to others", folder + "/a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SessionLock lock(folder + "/a/rpncalc.cfg", c.folder);
        EXPECT_EQ(lock.state(), SessionLock::State::Unavailable);
        EXPECT_EQ(lock.channelPath(), "");
    }
}

// What other users, or a mistake, may have put where the lock goes. Only a folder that the
// user alone may enter is used: in any other, someone else could hold the lock or answer
// for the calculator.
TEST_F(SessionLockTest, WhichLockPlaceIsUsable) {
    const std::string place = folder + "/place";
    struct Case {
        const char* name;
        std::function<void()> make;
        bool create;
        bool usable;
    };
    const Case cases[] = {
        {"missing, made", [] {}, true, true},
        {"missing, not made", [] {}, false, false},
        {"own, private",
         [&] {
             fs::create_directory(place);
             fs::permissions(place, fs::perms::owner_all);
         },
         false, true},
        {"own, readable by all",
         [&] {
             fs::create_directory(place);
             ::chmod(place.c_str(), 0755);
         },
         true, false},
        {"open to all, sticky",
         [&] {
             fs::create_directory(place);
             ::chmod(place.c_str(), 01777);
         },
         true, false},
        {"a file", [&] { std::ofstream(place) << "x"; }, true, false},
        {"a FIFO", [&] { ::mkfifo(place.c_str(), 0600); }, true, false},
        {"a link to a private folder", [&] { fs::create_directory_symlink(runtime, place); }, true,
         false},
        {"a link to nowhere", [&] { fs::create_directory_symlink(folder + "/nowhere", place); },
         true, false},
        {"a relative path", [] {}, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(place);
        c.make();
        const bool relative = std::string(c.name) == "a relative path";
        EXPECT_EQ(IsUsableLockFolder(relative ? "place" : place, c.create), c.usable);
        // A start never changes what it does not use.
        if (std::string(c.name) == "a link to nowhere") {
            EXPECT_FALSE(fs::exists(folder + "/nowhere"));
        }
    }
    // Another user's folder, open to all, as another user could make it first.
    if (::geteuid() == 0) {
        fs::remove_all(place);
        fs::create_directory(place);
        ::chmod(place.c_str(), 0700);
        ASSERT_EQ(::chown(place.c_str(), 65534, 65534), 0);
        EXPECT_FALSE(IsUsableLockFolder(place, true));
    }
}

// Where the locks go: the runtime folder when it is private, and the user's folder under
// /tmp, or a private folder in the home when someone else has taken that name.
TEST_F(SessionLockTest, ChoosesTheLockFolders) {
    const std::string tmp = folder + "/tmp-user";
    const std::string home = folder + "/home";
    const std::string cache = home + "/.cache/rpncalc";
    fs::create_directory(folder + "/open");
    ::chmod((folder + "/open").c_str(), 0777);
    fs::create_directory(home);
    struct Case {
        const char* name;
        std::string runtime;
        std::function<void()> plant;
        std::string home;
        std::vector<std::string> folders;
        bool said;
    };
    const Case cases[] = {
        {"runtime folder and /tmp", runtime, [] {}, home, {runtime, tmp}, false},
        {"no runtime folder", "", [] {}, home, {tmp}, false},
        {"a runtime folder open to others", folder + "/open", [] {}, home, {tmp}, false},
        {"the /tmp name taken by a file",
         "",
         [&] { std::ofstream(tmp) << "x"; },
         home,
         {cache},
         true},
        {"the /tmp name taken by a link",
         runtime,
         [&] { fs::create_directory_symlink(runtime, tmp); },
         home,
         {runtime, cache},
         true},
        {"the /tmp name taken by a FIFO",
         "",
         [&] { ::mkfifo(tmp.c_str(), 0600); },
         home,
         {cache},
         true},
        {"the /tmp name taken, no home",
         runtime,
         [&] { ::mkfifo(tmp.c_str(), 0600); },
         "",
         {runtime},
         true},
        {"nowhere at all", "", [&] { ::mkfifo(tmp.c_str(), 0600); }, "relative", {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(tmp);
        fs::remove_all(home + "/.cache");
        c.plant();
        const LockFolders chosen = ChooseLockFolders({c.runtime, tmp, c.home});
        EXPECT_EQ(chosen.folders, c.folders);
        EXPECT_EQ(!chosen.note.empty(), c.said) << chosen.note;
        for (const std::string& used : chosen.folders) {
            EXPECT_TRUE(IsUsableLockFolder(used, false)) << used;
        }
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
    const std::string tmp = folder + "/tmp-user";
    const std::string other = folder + "/b";
    fs::permissions(other, fs::perms::owner_all);
    const Case cases[] = {
        {"runtime folder, then none", runtime.c_str(), ""},
        {"none, then a runtime folder", "", runtime.c_str()},
        {"two runtime folders", runtime.c_str(), other.c_str()},
    };
    const std::string session = folder + "/a/rpncalc.cfg";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::unique_ptr<SessionLock>> held;
        for (const std::string& lockFolder : ChooseLockFolders({c.first, tmp, ""}).folders) {
            held.push_back(std::make_unique<SessionLock>(session, lockFolder));
            EXPECT_EQ(held.back()->state(), SessionLock::State::Held) << lockFolder;
        }
        bool found = false;
        for (const std::string& lockFolder : ChooseLockFolders({c.second, tmp, ""}).folders) {
            found = found ||
                    SessionLock(session, lockFolder).state() == SessionLock::State::HeldElsewhere;
        }
        EXPECT_TRUE(found);
    }
}

// A calculator that ends leaves nothing in the lock folder; a start that found the session
// held removes nothing of the holder's.
TEST_F(SessionLockTest, HolderRemovesItsFilesAtTheEnd) {
    const std::string session = folder + "/a/rpncalc.cfg";
    auto holder = std::make_unique<SessionLock>(session, runtime);
    ASSERT_EQ(holder->state(), SessionLock::State::Held);
    // The channel the holder listens on.
    std::ofstream(holder->channelPath()) << "";
    {
        const SessionLock later(session, runtime);
        ASSERT_EQ(later.state(), SessionLock::State::HeldElsewhere);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(runtime), fs::directory_iterator()), 2);
    holder.reset();
    EXPECT_TRUE(fs::is_empty(runtime));
}

// A start that found the lock held while its holder was ending learns that the holder has
// gone (its lock file with it), and the next claim holds the session.
TEST_F(SessionLockTest, StartSeesTheHolderGo) {
    const std::string session = folder + "/a/rpncalc.cfg";
    auto holder = std::make_unique<SessionLock>(session, runtime);
    ASSERT_EQ(holder->state(), SessionLock::State::Held);
    const SessionLock waiting(session, runtime);
    ASSERT_EQ(waiting.state(), SessionLock::State::HeldElsewhere);
    EXPECT_TRUE(waiting.StillNamed());
    holder.reset();
    EXPECT_FALSE(waiting.StillNamed());
    const SessionLock next(session, runtime);
    EXPECT_EQ(next.state(), SessionLock::State::Held);
}

}  // namespace
}  // namespace rpn

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shutdown_watchdog.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <thread>

#include "engine/register.h"
#include "session/session_file.h"

namespace rpn {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// What the window's thread does after the close signal, in a child process of its own.
enum class LoopDoes {
    // Blocked for good (a frozen window): the watchdog must write and end the process.
    Hangs,
    // Saves the session itself and then hangs on the way out.
    SavesThenHangs,
    // The window had closed by itself before the signal; the process ends on its own.
    ClosedBefore,
};

// Where the session file is to be.
enum class SessionPlace {
    Folder,
    MissingFolder,
    // Nowhere: no session file can be kept (the program's own path is unknown).
    Unusable,
};

struct WatchdogCase {
    const char* name;
    LoopDoes loop;
    // Whether the session had been loaded (the snapshot holds a session).
    bool loaded;
    SessionPlace place;
    int exitCode;
    // The X the file holds afterwards; 0: no file.
    int savedX;
    // What stderr says; nothing at all when empty.
    const char* says;
};

constexpr const char* kUnusableReason = "the program's own path cannot be read (test)";

constexpr int kSnapshotX = 7;
constexpr int kLoopX = 8;
constexpr int kLoopExitCode = 3;
constexpr int kOwnExitCode = 5;

constexpr std::array kCases = {
    WatchdogCase{"blocked loop: the snapshot is written", LoopDoes::Hangs, true,
                 SessionPlace::Folder, 0, kSnapshotX, ""},
    WatchdogCase{"blocked loop before the load: nothing to write", LoopDoes::Hangs, false,
                 SessionPlace::Folder, 0, 0, ""},
    WatchdogCase{"blocked loop, missing folder: the failure is the exit code", LoopDoes::Hangs,
                 true, SessionPlace::MissingFolder, 1, 0, "rpncalc: the session was not saved: "},
    // However early the end, a session that cannot be kept is said, as each save says it.
    WatchdogCase{"blocked loop before the load, no session kept: the reason", LoopDoes::Hangs,
                 false, SessionPlace::Unusable, 1, 0, kUnusableReason},
    WatchdogCase{"the loop saved: its file and its exit code", LoopDoes::SavesThenHangs, true,
                 SessionPlace::Folder, kLoopExitCode, kLoopX, ""},
    WatchdogCase{"window closed before: the watchdog stands down", LoopDoes::ClosedBefore, true,
                 SessionPlace::Folder, kOwnExitCode, 0, ""},
};

SessionData Session(int x) {
    SessionData data;
    data.x = x;
    data.y = 6;
    return data;
}

[[noreturn]] void BlockForGood() {
    for (;;) {
        ::pause();
    }
}

// The child: a snapshot, the watchdog, a close signal, and then what the window's thread does.
[[noreturn]] void RunChild(const WatchdogCase& c, const std::string& path) {
    InitialiseRegisterArithmetic();
    static SessionSnapshot snapshot;
    if (c.loaded) {
        snapshot.Update(Session(kSnapshotX));
    }
    const SessionFile session = c.place == SessionPlace::Unusable
                                    ? SessionFile::Unusable(kUnusableReason)
                                    : SessionFile(path);
    shutdown_watchdog::Start(snapshot, session, 100ms);
    if (c.loop == LoopDoes::ClosedBefore) {
        shutdown_watchdog::StandDown();
    }
    shutdown_watchdog::Alarm();
    switch (c.loop) {
        case LoopDoes::Hangs:
            BlockForGood();
        case LoopDoes::SavesThenHangs:
            if (shutdown_watchdog::ClaimForLoop()) {
                SessionFile(path).Save(Session(kLoopX));
                shutdown_watchdog::LoopSaved(kLoopExitCode);
            }
            BlockForGood();
        case LoopDoes::ClosedBefore:
            // Long past the deadline and the grace: the watchdog must have let the process be.
            std::this_thread::sleep_for(3s);
            ::_exit(kOwnExitCode);
    }
    ::_exit(99);
}

// Test names and failures show the case by what it is, not by its bytes.
void PrintTo(const WatchdogCase& c, std::ostream* out) {
    *out << c.name;
}

class ShutdownWatchdogTest : public ::testing::TestWithParam<WatchdogCase> {};

TEST_P(ShutdownWatchdogTest, EndsTheProcessWithTheSessionSaved) {
    const WatchdogCase& c = GetParam();
    const fs::path folder =
        fs::temp_directory_path() / ("rpncalc_watchdog_" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string errors = (folder / "stderr").string();
    const fs::path sessionFolder = folder / "session";
    if (c.place != SessionPlace::MissingFolder) {
        fs::create_directories(sessionFolder);
    }
    const std::string path = (sessionFolder / "rpncalc.cfg").string();

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The descriptor itself, so that stderr stays unbuffered as a program's is.
        ::dup2(::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
        RunChild(c, path);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), c.exitCode);
    std::ifstream errorStream(errors);
    const std::string said{std::istreambuf_iterator<char>(errorStream), {}};
    if (*c.says == '\0') {
        EXPECT_EQ(said, "");
    } else {
        EXPECT_NE(said.find(c.says), std::string::npos) << said;
    }

    if (c.savedX == 0) {
        EXPECT_FALSE(fs::exists(path));
    } else {
        const LoadedSession loaded = SessionFile(path).Load();
        EXPECT_TRUE(loaded.error.empty()) << loaded.error;
        EXPECT_EQ(loaded.read.data.x, c.savedX);
        EXPECT_EQ(loaded.read.data.y, 6);
    }
    fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShutdownWatchdogTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<WatchdogCase>& info) {
                             std::string name;
                             for (const char ch : std::string(info.param.name)) {
                                 if (std::isalnum(static_cast<unsigned char>(ch))) {
                                     name += ch;
                                 }
                             }
                             return name;
                         });

}  // namespace
}  // namespace rpn

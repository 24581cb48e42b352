// SPDX-License-Identifier: GPL-3.0-or-later
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/arithmetic_fault.h"
#include "session/calculator_session.h"
#include "session/durable_file.h"
#include "tests/engine/fake_window.h"
#include "tests/engine/state_access.h"

namespace rpn {
namespace {

namespace fs = std::filesystem;
using testing::FakeWindow;

// The main window's designed position, where it stands until the session file moves it.
constexpr WindowPosition kDesignedPosition{616, 1003};
constexpr WindowPosition kKeypadDefault{300, 20};
// A memory value that no fixture file holds, to show whether line 7 was applied.
constexpr Register kEarlierMemory = 5;

// The stack that a load leaves in X, Y, Z and T.
struct LoadedRegisters {
    Register X = 0;
    Register Y = 0;
    Register Z = 0;
    Register T = 0;
};

class FakeHost : public SessionHost {
  public:
    WindowPosition position = kDesignedPosition;
    std::vector<WindowPosition> moves;
    std::vector<std::string> errorBoxes;

    WindowPosition MainWindowPosition() const override { return position; }
    void MoveMainWindow(WindowPosition p) override {
        moves.push_back(p);
        position = p;
    }
    void ShowErrorBox(const std::string& message) override { errorBoxes.push_back(message); }
};

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string IncompatibleMessage(const std::string& path) {
    return "The file " + path + " has an incompatible format.";
}

class SessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitialiseRegisterArithmetic();
        std::string pattern = (fs::temp_directory_path() / "rpncalc-session-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr) << std::strerror(errno);
        folder = pattern;
        path = folder + "/rpncalc.cfg";
        StateOf(calc).MemoryRegister = kEarlierMemory;
    }
    void TearDown() override {
        // A test may have taken the folder's write permission away.
        ::chmod(folder.c_str(), 0700);
        fs::remove_all(folder);
    }

    // Files in the folder other than the session file: what a save may have left behind.
    std::vector<std::string> StrayFiles() const {
        std::vector<std::string> stray;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().string() != path) {
                stray.push_back(entry.path().filename().string());
            }
        }
        return stray;
    }

    std::string folder;
    std::string path;
    FakeWindow window;
    Calculator calc{window};
    FakeHost host;
    WindowPosition keypadPos;

    // The load and the save as the main window runs them.
    static LoadedRegisters LoadInto(const std::string& file, Calculator& calculator,
                                    SessionHost& sessionHost, WindowPosition& keypad) {
        ApplySession(SessionFile(file).Load(), calculator, sessionHost, keypad);
        const CalculatorState& s = calculator.state();
        return {s.X, s.Y, s.Z, s.T};
    }
    static void SaveFrom(const std::string& file, Calculator& calculator,
                         const SessionHost& sessionHost, WindowPosition keypad) {
        SessionFile(file).Save(CaptureSession(calculator, sessionHost, keypad));
    }
    LoadedRegisters Load() { return LoadInto(path, calc, host, keypadPos); }
    void Save() { SaveFrom(path, calc, host, keypadPos); }
};

TEST(PathBesideProgram, ReplacesTheExtensionOfTheFileName) {
    EXPECT_EQ(PathBesideProgram("/opt/rpn/rpncalc", ".cfg"), "/opt/rpn/rpncalc.cfg");
    EXPECT_EQ(PathBesideProgram("/opt/rpn/rpncalc.bin", ".cfg"), "/opt/rpn/rpncalc.cfg");
    EXPECT_EQ(PathBesideProgram("/opt/rpn/calc.v2.bin", ".hlp"), "/opt/rpn/calc.v2.hlp");
    // A dot in a folder name is no extension of the file.
    EXPECT_EQ(PathBesideProgram("/opt/rpn.d/rpncalc", ".cfg"), "/opt/rpn.d/rpncalc.cfg");
    EXPECT_EQ(PathBesideProgram("rpncalc", ".cfg"), "rpncalc.cfg");
}

TEST_F(SessionTest, NoFileGivesTheDefaultsAndTheFirstSaveWritesNineLines) {
    const LoadedRegisters loaded = Load();
    EXPECT_EQ(loaded.X, 0);
    EXPECT_EQ(loaded.Y, 0);
    EXPECT_EQ(loaded.Z, 0);
    EXPECT_EQ(loaded.T, 0);
    EXPECT_EQ(host.position, (WindowPosition{0, 0}));
    EXPECT_EQ(keypadPos, kKeypadDefault);
    EXPECT_TRUE(host.errorBoxes.empty());
    EXPECT_EQ(StateOf(calc).MemoryRegister, kEarlierMemory);

    StateOf(calc).MemoryRegister = 0;
    window.TypeIntoX("0");
    // The keypad's own position is recorded by the caller before a save.
    keypadPos = {277, 69};
    Save();
    const std::string zero = " 0.00000000000000E+0000\r\n";
    EXPECT_EQ(ReadWholeFile(path),
              zero + zero + zero + zero + "0\r\n0\r\n" + zero + "277\r\n69\r\n");
    EXPECT_TRUE(StrayFiles().empty());
}

TEST_F(SessionTest, SaveWritesCommittedXStackWindowMemoryAndKeypad) {
    window.TypeIntoX("1.5");
    StateOf(calc).Y = 2.0L / 3.0L;
    StateOf(calc).Z = -1.5e-20L;
    StateOf(calc).T = 1e100L;
    StateOf(calc).MemoryRegister = 1.0L / 3.0L;
    keypadPos = {-40, 2000};
    Save();
    EXPECT_EQ(StateOf(calc).CommittedX, 1.5L);
    EXPECT_EQ(ReadWholeFile(path),
              " 1.50000000000000E+0000\r\n"
              " 6.66666666666667E-0001\r\n"
              "-1.50000000000000E-0020\r\n"
              " 1.00000000000000E+0100\r\n"
              "616\r\n"
              "1003\r\n"
              " 3.33333333333333E-0001\r\n"
              "-40\r\n"
              "2000\r\n");
}

TEST_F(SessionTest, SaveWithAnUnreadableEntryKeepsTheLastCommittedX) {
    StateOf(calc).CommittedX = 7;
    window.TypeIntoX("1.2.3");
    Save();
    EXPECT_EQ(window.beeps, 1);
    EXPECT_EQ(StateOf(calc).X, 0);
    EXPECT_EQ(window.text(Field::X), "0");
    EXPECT_EQ(StateOf(calc).CommittedX, 7);
    EXPECT_EQ(ReadWholeFile(path).substr(0, 25), " 7.00000000000000E+0000\r\n");
}

// An entry beyond the register's range costs only itself: the file keeps the last committed
// X and the rest of the session.
TEST_F(SessionTest, SaveWithAnOverflowingEntryKeepsTheLastCommittedX) {
    WriteWholeFile(path, " 9.00000000000000E+0000\r\n");
    StateOf(calc).CommittedX = 4;
    StateOf(calc).Y = 2;
    window.TypeIntoX("1e4933");
    Save();
    const std::string saved = ReadWholeFile(path);
    EXPECT_EQ(saved.substr(0, 50), " 4.00000000000000E+0000\r\n 2.00000000000000E+0000\r\n");
}

TEST_F(SessionTest, SavedSessionLoadsBack) {
    window.TypeIntoX("-12.25");
    StateOf(calc).Y = 1.0L / 3.0L;
    StateOf(calc).T = -8;
    StateOf(calc).MemoryRegister = 42;
    host.position = {-5, 3000};
    keypadPos = {277, 69};
    Save();

    FakeWindow otherWindow;
    Calculator other{otherWindow};
    FakeHost otherHost;
    WindowPosition otherKeypad;
    const LoadedRegisters loaded = LoadInto(path, other, otherHost, otherKeypad);
    EXPECT_EQ(loaded.X, -12.25L);
    EXPECT_EQ(other.state().CommittedX, -12.25L);
    EXPECT_EQ(loaded.Y, 0.333333333333333L);
    EXPECT_EQ(loaded.Z, 0);
    EXPECT_EQ(loaded.T, -8);
    EXPECT_EQ(other.state().MemoryRegister, 42);
    EXPECT_EQ(otherHost.position, (WindowPosition{-5, 3000}));
    EXPECT_EQ(otherKeypad, (WindowPosition{277, 69}));
    EXPECT_TRUE(otherHost.errorBoxes.empty());
}

struct LoadCase {
    const char* name;
    std::string bytes;
    LoadedRegisters registers;
    Register memory;
    // The main window's position after the load; kDesignedPosition when never moved.
    WindowPosition window;
    // KeypadPos starts at 0, 0.
    WindowPosition keypad;
    bool incompatible;
};

constexpr Register kInfinity = std::numeric_limits<Register>::infinity();
constexpr LoadedRegisters kZeros{0, 0, 0, 0};
constexpr LoadedRegisters kOneToFour{1, 2, 3, 4};

const std::string kNineLines = "1\r\n2\r\n3\r\n4\r\n100\r\n200\r\n9\r\n277\r\n69\r\n";

// `bytes` as UTF-16LE without a byte-order mark, as a text editor may convert it.
std::string Utf16LittleEndian(const std::string& bytes) {
    std::string wide;
    for (const char c : bytes) {
        wide += c;
        wide += '\0';
    }
    return wide;
}

// The nine lines followed by blanks up to `size` bytes.
std::string PaddedTo(std::size_t size) {
    return kNineLines + std::string(size - kNineLines.size(), ' ');
}

// clang-format off
const LoadCase kLoadCases[] = {
    {"nine lines", "1.5\r\n2\r\n3\r\n4\r\n100\r\n200\r\n9\r\n277\r\n69\r\n",
     {1.5L, 2, 3, 4}, 9, {100, 200}, {277, 69}, false},
    {"six lines", "1\r\n2\r\n3\r\n4\r\n100\r\n200\r\n",
     kOneToFour, kEarlierMemory, {100, 200}, kKeypadDefault, false},
    // The blank line is data, so line 7 is read, reaching the end and giving 0.
    {"blank line after line 6", "1\r\n2\r\n3\r\n4\r\n100\r\n200\r\n\r\n",
     kOneToFour, 0, {100, 200}, kKeypadDefault, false},
    {"line 9 missing", "1\r\n2\r\n3\r\n4\r\n100\r\n200\r\n9\r\n277\r\n",
     kOneToFour, 9, {100, 200}, {277, 0}, false},
    {"empty file", "",
     kZeros, kEarlierMemory, {0, 0}, kKeypadDefault, false},
    // A file edited on Linux, or on an old Mac, or by both, holds all nine lines.
    {"LF-only lines", "1\n2\n3\n4\n100\n200\n9\n277\n69\n",
     kOneToFour, 9, {100, 200}, {277, 69}, false},
    {"CR-only lines", "1\r2\r3\r4\r100\r200\r9\r277\r69\r",
     kOneToFour, 9, {100, 200}, {277, 69}, false},
    {"mixed line ends", "1\r\n2\n3\r4\r\n100\n200\r9\n277\r\n69",
     kOneToFour, 9, {100, 200}, {277, 69}, false},
    {"six LF lines", "1\n2\n3\n4\n100\n200\n",
     kOneToFour, kEarlierMemory, {100, 200}, kKeypadDefault, false},
    {"blank LF line after line 6", "1\n2\n3\n4\n100\n200\n\n",
     kOneToFour, 0, {100, 200}, kKeypadDefault, false},
    {"two values on an LF line", "1 9\n2\n3\n4\n100\n200\n9\n277\n69\n",
     kOneToFour, 9, {100, 200}, {277, 69}, false},
    {"letters in an LF line", "1\n2\n3\n4\n100\n200\n9\nxx\n69\n",
     kZeros, 9, {100, 200}, {0, 0}, true},
    {"two values on a line", "1 9\r\n2\r\n3\r\n4\r\n100\r\n200\r\n9\r\n277\r\n69\r\n",
     kOneToFour, 9, {100, 200}, {277, 69}, false},
    {"negative and off-screen positions", "1\r\n2\r\n3\r\n4\r\n-50\r\n-9000\r\n9\r\n-1\r\n$10\r\n",
     kOneToFour, 9, {-50, -9000}, {-1, 16}, false},
    // A saved infinity, as the writer lays it out, comes back.
    {"infinities", "                   +Inf\r\n                   -Inf\r\n3\r\n4\r\n100\r\n200\r\n"
                   "                   +Inf\r\n277\r\n69\r\n",
     {kInfinity, -kInfinity, 3, 4}, kInfinity, {100, 200}, {277, 69}, false},
    {"26 after line 4", "1\r\n2\r\n3\r\n4\r\n\x1a" "100\r\n200\r\n",
     kOneToFour, kEarlierMemory, {0, 0}, kKeypadDefault, false},
    {"letters in line 1", "abc\r\n2\r\n3\r\n4\r\n100\r\n200\r\n9\r\n277\r\n69\r\n",
     kZeros, kEarlierMemory, kDesignedPosition, {0, 0}, true},
    {"real in an integer line", "1\r\n2\r\n3\r\n4\r\n100.5\r\n200\r\n",
     kZeros, kEarlierMemory, kDesignedPosition, {0, 0}, true},
    // What was applied before the failing line stays applied.
    {"bad keypad top", "1\r\n2\r\n3\r\n4\r\n100\r\n200\r\n9\r\nxx\r\n69\r\n",
     kZeros, 9, {100, 200}, {0, 0}, true},
    {"bad keypad left", "1\r\n2\r\n3\r\n4\r\n100\r\n200\r\n9\r\n277\r\n6,9\r\n",
     kZeros, 9, {100, 200}, {277, 0}, true},
    // A real beyond the register range is no number this program writes.
    {"out-of-range real in line 1", "1e4933\r\n2\r\n3\r\n4\r\n100\r\n200\r\n",
     kZeros, kEarlierMemory, kDesignedPosition, {0, 0}, true},
    {"out-of-range memory", "1\r\n2\r\n3\r\n4\r\n100\r\n200\r\n-1e4933\r\n277\r\n69\r\n",
     kZeros, kEarlierMemory, kDesignedPosition, {0, 0}, true},
    {"tabs and blanks around the numbers", "\t1\t\r\n 2 \t\r\n3\r\n4\r\n100\r\n200\r\n9\r\n277\r\n69 \r\n",
     kOneToFour, 9, {100, 200}, {277, 69}, false},
    // Whatever follows the end marker is not session data.
    {"bytes after byte 26", "1\r\n2\r\n3\r\n4\r\n100\r\n200\r\n\x1a\xff\xfe" + std::string(1, '\0'),
     kOneToFour, kEarlierMemory, {100, 200}, kKeypadDefault, false},
    {"largest file read", PaddedTo(64 * 1024),
     kOneToFour, 9, {100, 200}, {277, 69}, false},
    // No save writes so much: the file is refused before it is read.
    {"file larger than 64 KiB", PaddedTo(64 * 1024 + 1),
     kZeros, kEarlierMemory, kDesignedPosition, {0, 0}, true},
    // Every other byte is a NUL, which read as a blank would give 1, 2, 3, 4 and 5.
    {"UTF-16LE without a byte-order mark",
     Utf16LittleEndian("11\r\n22\r\n33\r\n44\r\n100\r\n200\r\n55\r\n277\r\n69\r\n"),
     kZeros, kEarlierMemory, kDesignedPosition, {0, 0}, true},
    {"NUL inside a number", "1" + std::string(1, '\0') + "5\r\n2\r\n3\r\n4\r\n100\r\n200\r\n",
     kZeros, kEarlierMemory, kDesignedPosition, {0, 0}, true},
    {"NUL between the numbers", "1\r\n" + std::string(1, '\0') + "\r\n2\r\n3\r\n4\r\n100\r\n200\r\n",
     kZeros, kEarlierMemory, kDesignedPosition, {0, 0}, true},
    {"control byte after a number", "1\r\n2\x01\r\n3\r\n4\r\n100\r\n200\r\n",
     kZeros, kEarlierMemory, kDesignedPosition, {0, 0}, true},
    {"non-ASCII byte in the memory line", "1\r\n2\r\n3\r\n4\r\n100\r\n200\r\n9\xe9\r\n277\r\n69\r\n",
     kZeros, kEarlierMemory, kDesignedPosition, {0, 0}, true},
};
// clang-format on

void PrintTo(const LoadCase& c, std::ostream* out) {
    *out << c.name;
}

class SessionLoadTest : public SessionTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(SessionLoadTest, LoadsWhatTheFileHolds) {
    const LoadCase& c = GetParam();
    WriteWholeFile(path, c.bytes);
    const LoadedRegisters loaded = Load();
    EXPECT_EQ(loaded.X, c.registers.X);
    EXPECT_EQ(loaded.Y, c.registers.Y);
    EXPECT_EQ(loaded.Z, c.registers.Z);
    EXPECT_EQ(loaded.T, c.registers.T);
    // X and the X that a save keeps start out alike.
    EXPECT_EQ(StateOf(calc).CommittedX, c.registers.X);
    EXPECT_EQ(StateOf(calc).MemoryRegister, c.memory);
    EXPECT_EQ(host.position, c.window);
    EXPECT_LE(host.moves.size(), 1u);
    EXPECT_EQ(keypadPos, c.keypad);
    if (c.incompatible) {
        EXPECT_EQ(host.errorBoxes, std::vector<std::string>{IncompatibleMessage(path)});
    } else {
        EXPECT_TRUE(host.errorBoxes.empty()) << host.errorBoxes.front();
    }
}

// Start-up saves at once, so that even a file that could not be read is whole again.
TEST_P(SessionLoadTest, FirstSaveLeavesAFileThatLoadsBackTheSameState) {
    WriteWholeFile(path, GetParam().bytes);
    const LoadedRegisters loaded = Load();
    StateOf(calc).X = loaded.X;
    StateOf(calc).Y = loaded.Y;
    StateOf(calc).Z = loaded.Z;
    StateOf(calc).T = loaded.T;
    calc.RefreshDisplay();
    Save();
    // Whatever line ends the file had, the save writes nine lines ended by CR LF.
    const std::string saved = ReadWholeFile(path);
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 9);
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\r'), 9);
    for (std::size_t end = saved.find('\n'); end != std::string::npos;
         end = saved.find('\n', end + 1)) {
        EXPECT_EQ(saved[end - 1], '\r') << "at byte " << end;
    }

    FakeWindow nextWindow;
    Calculator next{nextWindow};
    FakeHost nextHost;
    WindowPosition nextKeypad;
    const LoadedRegisters reloaded = LoadInto(path, next, nextHost, nextKeypad);
    EXPECT_TRUE(nextHost.errorBoxes.empty());
    EXPECT_EQ(reloaded.X, loaded.X);
    EXPECT_EQ(reloaded.Y, loaded.Y);
    EXPECT_EQ(reloaded.Z, loaded.Z);
    EXPECT_EQ(reloaded.T, loaded.T);
    EXPECT_EQ(next.state().MemoryRegister, StateOf(calc).MemoryRegister);
    EXPECT_EQ(nextHost.position, host.position);
    EXPECT_EQ(nextKeypad, keypadPos);
}

INSTANTIATE_TEST_SUITE_P(Files, SessionLoadTest, ::testing::ValuesIn(kLoadCases),
                         [](const ::testing::TestParamInfo<LoadCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) {
                                     ch = '_';
                                 }
                             }
                             return name;
                         });

bool RunningAsRoot() {
    return ::geteuid() == 0;
}

// Runs `action` as an ordinary user and gives back the text it returns. Permissions do not
// bind the superuser, so under root it runs in a child process that has become `nobody`,
// owning `folder` and what is in it.
std::string AsOrdinaryUser(const std::string& folder, const std::function<std::string()>& action) {
    if (!RunningAsRoot()) {
        return action();
    }
    const passwd* nobody = ::getpwnam("nobody");
    if (nobody == nullptr) {
        ADD_FAILURE() << "no user 'nobody' to drop the superuser's rights to";
        return {};
    }
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        ::lchown(entry.path().c_str(), uid, gid);
    }
    ::lchown(folder.c_str(), uid, gid);
    int channel[2];
    if (::pipe(channel) != 0) {
        ADD_FAILURE() << std::strerror(errno);
        return {};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (::setgroups(0, nullptr) != 0 || ::setresgid(gid, gid, gid) != 0 ||
            ::setresuid(uid, uid, uid) != 0) {
            ::_exit(2);
        }
        const std::string result = action();
        const bool written = ::write(channel[1], result.data(), result.size()) ==
                             static_cast<ssize_t>(result.size());
        ::_exit(written ? 0 : 3);
    }
    ::close(channel[1]);
    std::string result;
    char chunk[256];
    for (ssize_t got; (got = ::read(channel[0], chunk, sizeof chunk)) > 0;) {
        result.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    return result;
}

// A listening Unix socket at `path`, left there once the descriptor is closed.
void BindSocket(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, path.c_str());
    EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0)
        << std::strerror(errno);
    ::close(fd);
}

// The identity of whatever is at `path`, the link itself not followed.
struct NodeIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    mode_t mode = 0;
    bool operator==(const NodeIdentity&) const = default;
};

NodeIdentity IdentityOf(const std::string& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return {info.st_dev, info.st_ino, info.st_mode};
}

// Something other than a readable regular file at the session file's place.
TEST_F(SessionTest, PlacesThatAreNoReadableFile) {
    struct Case {
        const char* name;
        std::function<void(const std::string& path)> make;
        bool incompatible;
    };
    const Case cases[] = {
        {"directory", [](const std::string& p) { fs::create_directory(p); }, true},
        // Opening a FIFO for reading would wait for a writer that never comes.
        {"FIFO", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, true},
        {"dangling link", [](const std::string& p) { fs::create_symlink(p + ".missing", p); },
         false},
        // A regular file whose reading fails part way.
        {"read error", [](const std::string& p) { fs::create_symlink("/proc/self/mem", p); }, true},
        // A device is never even opened: reading some of them has effects of its own.
        {"link to a device", [](const std::string& p) { fs::create_symlink("/dev/zero", p); },
         true},
        {"link to a FIFO",
         [](const std::string& p) {
             ASSERT_EQ(::mkfifo((p + ".fifo").c_str(), 0600), 0);
             fs::create_symlink(p + ".fifo", p);
         },
         true},
        {"socket", [](const std::string& p) { BindSocket(p); }, true},
        {"link loop",
         [](const std::string& p) {
             fs::create_symlink(p + ".b", p);
             fs::create_symlink(p, p + ".b");
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(path);
        host = FakeHost{};
        keypadPos = {};
        c.make(path);
        const LoadedRegisters loaded = Load();
        EXPECT_EQ(loaded.X, 0);
        if (c.incompatible) {
            EXPECT_EQ(host.errorBoxes, std::vector<std::string>{IncompatibleMessage(path)});
            EXPECT_EQ(host.position, kDesignedPosition);
        } else {
            EXPECT_TRUE(host.errorBoxes.empty());
            EXPECT_EQ(host.position, (WindowPosition{0, 0}));
            EXPECT_EQ(keypadPos, kKeypadDefault);
        }
    }
}

TEST_F(SessionTest, FileWithoutReadPermissionIsIncompatible) {
    WriteWholeFile(path, "1\r\n2\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0200), 0);
    const std::string shown = AsOrdinaryUser(folder, [this] {
        Load();
        return host.errorBoxes.empty() ? std::string() : host.errorBoxes.front();
    });
    EXPECT_EQ(shown, IncompatibleMessage(path));
}

TEST_F(SessionTest, SaveThroughALinkKeepsTheLinkAndThePermissions) {
    const std::string target = folder + "/kept.cfg";
    WriteWholeFile(target, "old\r\n");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    fs::create_symlink("kept.cfg", path);
    window.TypeIntoX("3");
    Save();
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(ReadWholeFile(target).substr(0, 25), " 3.00000000000000E+0000\r\n");
    struct stat info;
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// The session file as a link to each kind of thing: only a regular file (or none) is ever
// written; anything else is left as it was and the save says why.
TEST_F(SessionTest, SaveThroughALinkReplacesOnlyARegularFile) {
    struct Case {
        const char* name;
        // Makes the thing at `target` that the link `rpncalc.cfg` points at; false to skip.
        std::function<bool(const std::string& target)> make;
        // Empty when the save goes through.
        std::string refusal;
    };
    const std::string target = folder + "/target";
    const std::string notRegular = "the link leads to " + target + ", which is not a regular file";
    const Case cases[] = {
        {"regular file",
         [](const std::string& t) {
             WriteWholeFile(t, "old\r\n");
             return true;
         },
         ""},
        {"dangling link", [](const std::string&) { return true; }, ""},
        {"device node",
         [](const std::string& t) {
             // The device behind /dev/null, made here so that nothing real is at stake.
             return RunningAsRoot() && ::mknod(t.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
         },
         notRegular},
        {"FIFO", [](const std::string& t) { return ::mkfifo(t.c_str(), 0600) == 0; }, notRegular},
        {"socket",
         [](const std::string& t) {
             BindSocket(t);
             return true;
         },
         notRegular},
        {"folder", [](const std::string& t) { return fs::create_directory(t); }, notRegular},
        {"link loop",
         [this](const std::string& t) {
             fs::create_symlink(path, t);
             return true;
         },
         std::strerror(ELOOP)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(folder);
        fs::create_directory(folder);
        if (!c.make(target)) {
            ADD_FAILURE() << "could not make the link's target (root is needed for a device)";
            continue;
        }
        fs::create_symlink("target", path);
        const NodeIdentity before = IdentityOf(target);
        window.TypeIntoX("3");
        std::string message;
        try {
            Save();
        } catch (const FileWriteError& error) {
            message = error.what();
        }
        EXPECT_TRUE(fs::is_symlink(path));
        if (c.refusal.empty()) {
            EXPECT_EQ(message, "");
            EXPECT_EQ(ReadWholeFile(target).substr(0, 25), " 3.00000000000000E+0000\r\n");
        } else {
            EXPECT_EQ(message, "Cannot write " + path + ": " + c.refusal);
            EXPECT_EQ(IdentityOf(target), before);
            for (const std::string& stray : StrayFiles()) {
                EXPECT_EQ(stray.find(".tmp"), std::string::npos) << stray;
            }
        }
    }
}

TEST_F(SessionTest, SaveThroughALinkIntoAMissingFolderNamesThatFolder) {
    fs::create_symlink(folder + "/gone/rpncalc.cfg", path);
    window.TypeIntoX("3");
    try {
        Save();
        ADD_FAILURE() << "saved";
    } catch (const FileWriteError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot write " + path + ": the folder " + folder + "/gone does not exist");
    }
}

// The process id of a process that has ended.
pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}

// A save killed half-way leaves its temporary file; the next save removes it, but never one
// whose process still runs and may be writing it.
TEST_F(SessionTest, SaveRemovesTheTemporaryFilesOfEndedSaves) {
    const std::string ended = "rpncalc.cfg.tmp" + std::to_string(EndedProcess()) + "_0";
    const std::string running = "rpncalc.cfg.tmp" + std::to_string(::getppid()) + "_0";
    const std::vector<std::string> kept = {running, "rpncalc.cfg.tmpx_0", "rpncalc.cfg.tmp",
                                           "other.cfg.tmp" + std::to_string(EndedProcess()) + "_0"};
    WriteWholeFile(folder + "/" + ended, " 1.0");
    for (const std::string& name : kept) {
        WriteWholeFile(folder + "/" + name, " 1.0");
    }
    window.TypeIntoX("3");
    Save();
    std::vector<std::string> left = StrayFiles();
    std::sort(left.begin(), left.end());
    std::vector<std::string> expected = kept;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
}

// Lowers the largest file this process may write, as a full disk would stop a write.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit lowered = previous_;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

  private:
    rlimit previous_{};
    void (*previousHandler_)(int);
};

TEST_F(SessionTest, FailedSaveLeavesWhatWasThereWhole) {
    struct Case {
        const char* name;
        // Inside the test's folder.
        const char* place;
        bool placeIsFolder;
        // Largest file the save may write.
        rlim_t sizeLimit;
        std::string reason;
    };
    const Case cases[] = {
        // As a full disk does, the limit stops the write in the middle of the nine lines.
        {"write fails part way", "rpncalc.cfg", false, 40, "File too large"},
        {"place is a folder", "rpncalc.cfg", true, RLIM_INFINITY, "it is not a regular file"},
        {"folder missing", "missing/rpncalc.cfg", false, RLIM_INFINITY,
         "the folder " + folder + "/missing does not exist"},
    };
    const std::string previous = " 4.00000000000000E+0000\r\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(path);
        const std::string place = folder + "/" + c.place;
        // What must survive the failed save: the old file, or a file in the folder.
        const std::string kept = c.placeIsFolder ? place + "/inside" : place;
        if (c.placeIsFolder) {
            fs::create_directory(place);
        }
        const bool canHoldAFile = fs::exists(fs::path(kept).parent_path());
        if (canHoldAFile) {
            WriteWholeFile(kept, previous);
        }
        window.TypeIntoX("9");
        std::string message;
        {
            std::optional<FileSizeLimit> limit;
            if (c.sizeLimit != RLIM_INFINITY) {
                limit.emplace(c.sizeLimit);
            }
            try {
                SaveFrom(place, calc, host, keypadPos);
            } catch (const FileWriteError& error) {
                message = error.what();
            }
        }
        EXPECT_EQ(message, "Cannot write " + place + ": " + c.reason);
        if (canHoldAFile) {
            EXPECT_EQ(ReadWholeFile(kept), previous);
        }
        EXPECT_TRUE(StrayFiles().empty());
    }
}

// The text a save ends with: the error's message, or "saved".
std::string SaveOutcome(const std::function<void()>& save) {
    try {
        save();
        return "saved";
    } catch (const FileWriteError& error) {
        return error.what();
    }
}

// A read-only folder, or a session file the user may not write (chmod 444, to keep a
// session as it is), is access denied: the file stays as it was, and so does its mode.
TEST_F(SessionTest, SaveThatTheUserMayNotMakeLeavesTheOldFileWhole) {
    struct Case {
        const char* name;
        mode_t folderMode;
        mode_t fileMode;
    };
    const Case cases[] = {
        {"read-only folder", 0500, 0600},
        {"write-protected file", 0700, 0444},
        {"write-protected file through a link", 0700, 0444},
    };
    const std::string previous = " 4.00000000000000E+0000\r\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ::chmod(folder.c_str(), 0700);
        fs::remove_all(folder);
        fs::create_directory(folder);
        const bool throughLink = std::string(c.name).ends_with("link");
        const std::string file = throughLink ? folder + "/kept.cfg" : path;
        WriteWholeFile(file, previous);
        if (throughLink) {
            fs::create_symlink("kept.cfg", path);
        }
        ASSERT_EQ(::chmod(file.c_str(), c.fileMode), 0);
        ASSERT_EQ(::chmod(folder.c_str(), c.folderMode), 0);
        window.TypeIntoX("9");
        const std::string outcome =
            AsOrdinaryUser(folder, [this] { return SaveOutcome([this] { Save(); }); });
        EXPECT_EQ(outcome, "Cannot write " + path + ": Permission denied");
        EXPECT_EQ(ReadWholeFile(file), previous);
        struct stat info;
        ASSERT_EQ(::stat(file.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.fileMode);
        ::chmod(folder.c_str(), 0700);
        for (const std::string& stray : StrayFiles()) {
            EXPECT_EQ(stray.find(".tmp"), std::string::npos) << stray;
        }
    }
}

// Root may write any file: a write-protected session file of root's is saved, its mode kept.
TEST_F(SessionTest, SuperuserSavesAWriteProtectedFile) {
    if (!RunningAsRoot()) {
        GTEST_SKIP() << "only the superuser may write a file that is write-protected";
    }
    WriteWholeFile(path, " 4.00000000000000E+0000\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    window.TypeIntoX("9");
    EXPECT_EQ(SaveOutcome([this] { Save(); }), "saved");
    EXPECT_EQ(ReadWholeFile(path).substr(0, 25), " 9.00000000000000E+0000\r\n");
    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0444u);
}

}  // namespace
}  // namespace rpn

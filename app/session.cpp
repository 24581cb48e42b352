#include "app/session.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <istream>
#include <limits>
#include <streambuf>
#include <string_view>
#include <utility>

#include "engine/arithmetic_fault.h"
#include "engine/file_numbers.h"

namespace rpn {

namespace {

constexpr WindowPosition kDefaultKeypadPosition{300, 20};
constexpr const char* kLineEnd = "\r\n";

// An open file descriptor, closed when it goes.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

  private:
    int fd_;
};

// Reads a file descriptor through a small buffer. A read error leaves underflow by an
// exception, which the istream turns into badbit: the reader's I/O error.
class DescriptorBuffer : public std::streambuf {
  public:
    explicit DescriptorBuffer(int fd) : fd_(fd) {}

  protected:
    int_type underflow() override {
        if (gptr() < egptr()) {
            return traits_type::to_int_type(*gptr());
        }
        ssize_t got;
        do {
            got = ::read(fd_, buffer_.data(), buffer_.size());
        } while (got < 0 && errno == EINTR);
        if (got < 0) {
            throw std::ios_base::failure(std::strerror(errno));
        }
        if (got == 0) {
            return traits_type::eof();
        }
        setg(buffer_.data(), buffer_.data(), buffer_.data() + got);
        return traits_type::to_int_type(*gptr());
    }

  private:
    int fd_;
    std::array<char, 4096> buffer_{};
};

// The session file cannot be read as one: unreadable, or a line that does not convert.
struct IncompatibleFile {};

// Reads the lines of the session file in order, raising IncompatibleFile at the first one
// that fails. Text after a number on its line is ignored.
class SessionLines {
  public:
    explicit SessionLines(std::istream& in) : reader_(in) {}

    Register Real() {
        Register value = 0;
        try {
            value = reader_.ReadFileReal();
        } catch (const ArithmeticFault&) {
            // A real beyond the register range cannot come from a save of this program.
            throw IncompatibleFile{};
        }
        EndLine();
        return value;
    }
    int32_t Integer() {
        const int32_t value = reader_.ReadFileInteger();
        EndLine();
        return value;
    }
    bool AtEnd() {
        const bool atEnd = reader_.AtEndOfData();
        Check();
        return atEnd;
    }

  private:
    void EndLine() {
        Check();
        reader_.SkipLine();
        Check();
    }
    void Check() const {
        if (reader_.ioError()) {
            throw IncompatibleFile{};
        }
    }

    FileNumberReader reader_;
};

// The file that a save replaces: the end of the chain of symbolic links at `path`, whether
// or not that file exists yet, so that a link stays a link. Only a regular file is ever
// replaced: anything else (a device, a FIFO, a socket, a folder, a link loop) is left alone.
// Returns the reason for the user when the save must not go ahead, else an empty text.
std::string FindSaveTarget(const std::string& path, std::string& target) {
    // As many links as the system itself follows before it gives up.
    constexpr int kMaxLinks = 40;
    target = path;
    for (int links = 0;; ++links) {
        struct stat info;
        if (::lstat(target.c_str(), &info) != 0) {
            // Missing: the save creates it. Any other failure is the write's to report.
            return {};
        }
        if (S_ISREG(info.st_mode)) {
            return {};
        }
        if (!S_ISLNK(info.st_mode)) {
            return target == path ? std::string("it is not a regular file")
                                  : "the link leads to " + target + ", which is not a regular file";
        }
        if (links == kMaxLinks) {
            return std::strerror(ELOOP);
        }
        std::string next(static_cast<std::size_t>(info.st_size) + 1, '\0');
        const ssize_t length = ::readlink(target.c_str(), next.data(), next.size());
        if (length < 0) {
            return std::strerror(errno);
        }
        if (static_cast<std::size_t>(length) >= next.size()) {
            // The link changed while it was read.
            return std::strerror(EAGAIN);
        }
        next.resize(static_cast<std::size_t>(length));
        if (!next.empty() && next.front() != '/') {
            const std::size_t slash = target.rfind('/');
            if (slash != std::string::npos) {
                next.insert(0, target, 0, slash + 1);
            }
        }
        target = std::move(next);
    }
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The name ending of a save's temporary file beside the session file; the process id in it
// tells whether the save that made it can still be running.
std::string TemporarySuffix(pid_t pid, unsigned attempt) {
    return ".tmp" + std::to_string(pid) + "_" + std::to_string(attempt);
}

// The process id in `name` when it is `base` followed by a temporary suffix, else 0.
pid_t TemporaryFileOwner(std::string_view name, std::string_view base) {
    const std::string_view tmp = ".tmp";
    if (name.size() <= base.size() + tmp.size() || name.substr(0, base.size()) != base ||
        name.substr(base.size(), tmp.size()) != tmp) {
        return 0;
    }
    name.remove_prefix(base.size() + tmp.size());
    const std::size_t underscore = name.find('_');
    const auto allDigits = [](std::string_view digits) {
        return !digits.empty() && digits.size() <= 10 &&
               std::all_of(digits.begin(), digits.end(),
                           [](char c) { return c >= '0' && c <= '9'; });
    };
    if (underscore == std::string_view::npos || !allDigits(name.substr(0, underscore)) ||
        !allDigits(name.substr(underscore + 1))) {
        return 0;
    }
    const long long pid = std::stoll(std::string(name.substr(0, underscore)));
    return pid > 0 && pid <= std::numeric_limits<pid_t>::max() ? static_cast<pid_t>(pid) : 0;
}

// Removes the temporary files that saves killed half-way left beside `target`. A file whose
// process still runs may be in the middle of its save, and stays.
void RemoveStaleTemporaryFiles(const std::string& target) {
    const std::string folder = FolderOf(target);
    const std::size_t slash = target.rfind('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t owner = TemporaryFileOwner(entry->d_name, base);
        if (owner == 0 || owner == ::getpid() || ::kill(owner, 0) == 0 || errno != ESRCH) {
            continue;
        }
        struct stat info;
        if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode)) {
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

int WriteAll(int fd, const std::string& content) {
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        written += static_cast<std::size_t>(n);
    }
    return 0;
}

// Makes the rename itself durable; a folder that cannot be synced leaves the new file in
// place all the same.
void SyncFolder(const std::string& folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) {
        ::fsync(fd.get());
    }
}

// Writes `content` to a file of its own beside `target` and renames it over the target only
// once it is on the disk, so that a failed save leaves the previous file whole. The new
// file keeps the target's permissions. Returns 0, or the errno of the step that failed.
int ReplaceFile(const std::string& target, const std::string& content) {
    struct stat info;
    const bool targetExists = ::lstat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    std::string temporaryPath;
    int fd = -1;
    for (unsigned attempt = 0; fd < 0; ++attempt) {
        temporaryPath = target + TemporarySuffix(::getpid(), attempt);
        fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return errno;
        }
    }
    if (targetExists) {
        ::fchmod(fd, info.st_mode & 07777);
    }
    int error = WriteAll(fd, content);
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    // A network file system may report a failed write only when the file is closed.
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporaryPath.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporaryPath.c_str());
        return error;
    }
    SyncFolder(FolderOf(target));
    return 0;
}

}  // namespace

std::string PathBesideProgram(const std::string& programPath, const std::string& extension) {
    const std::size_t slash = programPath.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = programPath.rfind('.');
    if (dot == std::string::npos || dot < nameStart) {
        return programPath + extension;
    }
    return programPath.substr(0, dot) + extension;
}

SessionFile::SessionFile(std::string path, Calculator& calculator, SessionHost& host,
                         WindowPosition& keypadPos)
    : path_(std::move(path)), calculator_(calculator), host_(host), keypadPos_(keypadPos) {}

LoadedRegisters SessionFile::LoadSession() {
    const LoadedRegisters loaded = ReadSession();
    calculator_.LoadRegisters(loaded.X, loaded.Y, loaded.Z, loaded.T, loaded.memory);
    return loaded;
}

LoadedRegisters SessionFile::ReadSession() {
    LoadedRegisters loaded;
    // A file without the memory line leaves the memory as it is.
    loaded.memory = calculator_.state().MemoryRegister;
    struct stat info;
    const bool found = ::stat(path_.c_str(), &info) == 0;
    if (!found && (errno == ENOENT || errno == ENOTDIR)) {
        host_.MoveMainWindow({0, 0});
        keypadPos_ = kDefaultKeypadPosition;
        return loaded;
    }
    try {
        // Only a regular file is read: a device is not even opened. The open does not wait,
        // so that a FIFO put in the file's place after the look cannot hang the start-up.
        if (!found || !S_ISREG(info.st_mode)) {
            throw IncompatibleFile{};
        }
        FileDescriptor fd(::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
            throw IncompatibleFile{};
        }
        DescriptorBuffer buffer(fd.get());
        std::istream in(&buffer);
        SessionLines lines(in);

        loaded.X = lines.Real();
        loaded.Y = lines.Real();
        loaded.Z = lines.Real();
        loaded.T = lines.Real();
        WindowPosition window;
        window.top = lines.Integer();
        window.left = lines.Integer();
        if (!lines.AtEnd()) {
            loaded.memory = lines.Real();
        }
        host_.MoveMainWindow(window);
        if (lines.AtEnd()) {
            keypadPos_ = kDefaultKeypadPosition;
        } else {
            keypadPos_.top = lines.Integer();
            keypadPos_.left = lines.Integer();
        }
        return loaded;
    } catch (const IncompatibleFile&) {
        // The file is closed by now; the message waits for the user.
    }
    host_.ShowErrorBox("The file " + path_ + " has an incompatible format.");
    // X starts at 0, so the X that a save keeps starts there too.
    return {.memory = loaded.memory};
}

void SessionFile::SaveSession() {
    calculator_.CommitXForSaving();
    const CalculatorState& state = calculator_.state();
    const WindowPosition window = host_.MainWindowPosition();
    std::string content;
    for (const Register value : {state.CommittedX, state.Y, state.Z, state.T}) {
        content += FormatFileReal(value) + kLineEnd;
    }
    content += FormatFileInteger(window.top) + kLineEnd;
    content += FormatFileInteger(window.left) + kLineEnd;
    content += FormatFileReal(state.MemoryRegister) + kLineEnd;
    content += FormatFileInteger(keypadPos_.top) + kLineEnd;
    content += FormatFileInteger(keypadPos_.left) + kLineEnd;

    std::string target;
    const std::string refusal = FindSaveTarget(path_, target);
    if (!refusal.empty()) {
        throw SessionWriteError("Cannot write " + path_ + ": " + refusal);
    }
    RemoveStaleTemporaryFiles(target);
    const int error = ReplaceFile(target, content);
    if (error != 0) {
        const std::string folder = FolderOf(target);
        struct stat info;
        if ((error == ENOENT || error == ENOTDIR) && ::stat(folder.c_str(), &info) != 0) {
            throw SessionWriteError("Cannot write " + path_ + ": the folder " + folder +
                                    " does not exist");
        }
        throw SessionWriteError("Cannot write " + path_ + ": " + std::strerror(error));
    }
}

}  // namespace rpn

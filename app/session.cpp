#include "app/session.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <istream>
#include <streambuf>
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

// Where a save has to land so that a symbolic link at `path` stays a link: the file the
// link chain ends at, whether or not that file exists yet.
std::string ResolveLinks(std::string path) {
    // As many links as the system itself follows before it gives up.
    constexpr int kMaxLinks = 40;
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return path;
        }
        std::string target(static_cast<std::size_t>(info.st_size) + 1, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0 || static_cast<std::size_t>(length) >= target.size()) {
            return path;
        }
        target.resize(static_cast<std::size_t>(length));
        if (!target.empty() && target.front() != '/') {
            const std::size_t slash = path.rfind('/');
            if (slash != std::string::npos) {
                target.insert(0, path, 0, slash + 1);
            }
        }
        path = std::move(target);
    }
    return path;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
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
    const bool targetExists = ::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    std::string temporaryPath;
    int fd = -1;
    for (unsigned attempt = 0; fd < 0; ++attempt) {
        temporaryPath =
            target + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(attempt);
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
    CalculatorState& state = calculator_.state;
    LoadedRegisters loaded;
    struct stat info;
    if (::stat(path_.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
        host_.MoveMainWindow({0, 0});
        keypadPos_ = kDefaultKeypadPosition;
        return loaded;
    }
    try {
        // Opened without waiting, so that a FIFO put in the file's place cannot hang the
        // start-up; only a regular file is read.
        FileDescriptor fd(::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
            throw IncompatibleFile{};
        }
        DescriptorBuffer buffer(fd.get());
        std::istream in(&buffer);
        SessionLines lines(in);

        loaded.X = lines.Real();
        state.CommittedX = loaded.X;
        loaded.Y = lines.Real();
        loaded.Z = lines.Real();
        loaded.T = lines.Real();
        WindowPosition window;
        window.top = lines.Integer();
        window.left = lines.Integer();
        if (!lines.AtEnd()) {
            state.MemoryRegister = lines.Real();
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
    state.CommittedX = 0;
    return LoadedRegisters{};
}

void SessionFile::SaveSession() {
    CalculatorState& state = calculator_.state;
    if (calculator_.CommitX()) {
        state.CommittedX = state.X;
    }
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

    const int error = ReplaceFile(ResolveLinks(path_), content);
    if (error != 0) {
        throw SessionWriteError("Cannot write " + path_ + ": " + std::strerror(error));
    }
}

}  // namespace rpn

// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/durable_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <string_view>
#include <utility>

#include "session/file_descriptor.h"
#include "session/spare_descriptor.h"

namespace rpn {

namespace {

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

void ReplaceFileDurably(const std::string& path, const std::string& content) {
    std::string target;
    const std::string refusal = FindSaveTarget(path, target);
    if (!refusal.empty()) {
        throw FileWriteError("Cannot write " + path + ": " + refusal);
    }
    // The rename would replace a file that the user may not write (chmod 444 is a way to
    // keep a session as it is): the file's own permission decides, as for any writer, by
    // the effective user, so that root may write it still.
    struct stat info;
    if (::lstat(target.c_str(), &info) == 0 &&
        ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        throw FileWriteError("Cannot write " + path + ": " + std::strerror(errno));
    }
    const spare_descriptor::LentForSave descriptor;
    RemoveStaleTemporaryFiles(target);
    const int error = ReplaceFile(target, content);
    if (error != 0) {
        const std::string folder = FolderOf(target);
        struct stat info;
        if ((error == ENOENT || error == ENOTDIR) && ::stat(folder.c_str(), &info) != 0) {
            throw FileWriteError("Cannot write " + path + ": the folder " + folder +
                                 " does not exist");
        }
        throw FileWriteError("Cannot write " + path + ": " + std::strerror(error));
    }
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace rpn

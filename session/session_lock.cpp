// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/session_lock.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "session/durable_file.h"
#include "session/file_descriptor.h"
#include "session/folder_trust.h"

namespace rpn {
namespace {

// A short, fixed-length name for a key of any length: socket paths are limited to about
// 100 bytes.
std::string KeyDigest(const std::string& key) {
    // FNV-1a, 64 bits: collisions between the few session files of one user do not occur in
    // practice, and a collision only makes two calculators take turns.
    uint64_t hash = 14695981039346656037ull;
    for (const unsigned char byte : key) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

}  // namespace

std::string SessionKey(const std::string& sessionPath) {
    // A session file that is a link (beside each of two copies of the program) is the file
    // it leads to.
    if (char* file = ::realpath(sessionPath.c_str(), nullptr)) {
        std::string key = file;
        std::free(file);
        return key;
    }
    const std::string folder = FolderOf(sessionPath);
    const std::size_t slash = sessionPath.rfind('/');
    const std::string name =
        slash == std::string::npos ? sessionPath : sessionPath.substr(slash + 1);
    char* resolved = ::realpath(folder.c_str(), nullptr);
    if (resolved == nullptr) {
        return sessionPath;
    }
    std::string key = resolved;
    std::free(resolved);
    return (key == "/" ? "" : key) + "/" + name;
}

namespace {

// A folder at `path`, opened without following a link; -1 when there is none.
int OpenFolder(const std::string& path) {
    return ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Whether the open folder is private to the user.
bool IsPrivate(int folderFd) {
    struct stat info;
    return ::fstat(folderFd, &info) == 0 && IsPrivateFolder(FactsOf(info), ::geteuid());
}

// Whether `name` in the folder is still the file open at `fd`.
bool NamesFile(int folderFd, const std::string& name, int fd) {
    struct stat named;
    struct stat open;
    return ::fstatat(folderFd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           ::fstat(fd, &open) == 0 && named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

bool IsUsableLockFolder(const std::string& path, bool create) {
    if (path.empty() || path.front() != '/') {
        return false;
    }
    if (create) {
        ::mkdir(path.c_str(), 0700);
    }
    FileDescriptor folder(OpenFolder(path));
    return folder.valid() && IsPrivate(folder.get());
}

LockPlaceFacts GatherLockPlaceFacts() {
    LockPlaceFacts facts;
    facts.runtimeFolder = Environment("XDG_RUNTIME_DIR");
    facts.userTmpFolder = "/tmp/rpncalc-" + std::to_string(::geteuid());
    facts.home = Environment("HOME");
    if (facts.home.empty()) {
        if (const passwd* entry = ::getpwuid(::geteuid()); entry && entry->pw_dir) {
            facts.home = entry->pw_dir;
        }
    }
    return facts;
}

LockFolders ChooseLockFolders(const LockPlaceFacts& facts) {
    LockFolders chosen;
    // The runtime folder is the desktop session's to make.
    if (IsUsableLockFolder(facts.runtimeFolder, false)) {
        chosen.folders.push_back(facts.runtimeFolder);
    }
    const auto add = [&chosen](const std::string& folder) {
        if (chosen.folders.empty() || chosen.folders.front() != folder) {
            chosen.folders.push_back(folder);
        }
    };
    if (IsUsableLockFolder(facts.userTmpFolder, true)) {
        add(facts.userTmpFolder);
        return chosen;
    }
    // The cache folder is made when missing, as its convention asks, but never the home.
    const bool homeKnown = !facts.home.empty() && facts.home.front() == '/';
    if (homeKnown) {
        ::mkdir((facts.home + "/.cache").c_str(), 0700);
    }
    const std::string cache = homeKnown ? facts.home + "/.cache/rpncalc" : "";
    if (IsUsableLockFolder(cache, true)) {
        add(cache);
        chosen.note =
            facts.userTmpFolder + " is not a folder of yours alone; the lock is kept in " + cache;
    } else if (chosen.folders.empty()) {
        chosen.note = facts.userTmpFolder +
                      " is not a folder of yours alone, and there is no other private folder "
                      "for the lock: another calculator may run on the same session file";
    } else {
        chosen.note = facts.userTmpFolder +
                      " is not a folder of yours alone; the lock is kept in " +
                      chosen.folders.front() + " only";
    }
    return chosen;
}

SessionLock::SessionLock(const std::string& sessionPath, const std::string& lockFolder) {
    folderFd_ = OpenFolder(lockFolder);
    if (folderFd_ < 0 || !IsPrivate(folderFd_)) {
        return;
    }
    const std::string base = "rpncalc-" + KeyDigest(SessionKey(sessionPath));
    channelName_ = base + ".socket";
    Take(base + ".lock");
    if (state_ != State::Unavailable) {
        channelPath_ = lockFolder + "/" + channelName_;
    }
}

void SessionLock::Take(const std::string& lockName) {
    lockName_ = lockName;
    // A holder that is ending removes its lock file: a lock taken on the file it removed
    // guards nothing, and the next attempt finds the file of whoever came next, or none.
    constexpr int kAttempts = 8;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        fd_ =
            ::openat(folderFd_, lockName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd_ < 0) {
            return;
        }
        int result;
        do {
            result = ::flock(fd_, LOCK_EX | LOCK_NB);
        } while (result != 0 && errno == EINTR);
        if (result != 0 && errno != EWOULDBLOCK) {
            break;
        }
        if (NamesFile(folderFd_, lockName, fd_)) {
            state_ = result == 0 ? State::Held : State::HeldElsewhere;
            return;
        }
        ::close(fd_);
        fd_ = -1;
    }
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

bool SessionLock::StillNamed() const {
    return fd_ >= 0 && NamesFile(folderFd_, lockName_, fd_);
}

SessionLock::~SessionLock() {
    if (state_ == State::Held) {
        ::unlinkat(folderFd_, channelName_.c_str(), 0);
        if (NamesFile(folderFd_, lockName_, fd_)) {
            ::unlinkat(folderFd_, lockName_.c_str(), 0);
        }
    }
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (folderFd_ >= 0) {
        ::close(folderFd_);
    }
}

}  // namespace rpn

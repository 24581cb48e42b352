// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/session_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "session/durable_file.h"

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

// A folder that only this user may enter: a folder another user made or a link in its place
// would let them answer for the calculator.
bool IsPrivateFolder(const std::string& folder) {
    struct stat info;
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
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

// The user's folder under /tmp, made when missing; empty when it cannot be used.
std::string UserTmpFolder() {
    const std::string folder = "/tmp/rpncalc-" + std::to_string(::geteuid());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return {};
    }
    return IsPrivateFolder(folder) ? folder : std::string();
}

}  // namespace

std::string RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/' && IsPrivateFolder(runtime)) {
        return runtime;
    }
    return UserTmpFolder();
}

std::vector<std::string> LockFolders() {
    std::vector<std::string> folders;
    for (const std::string& folder : {RuntimeFolder(), UserTmpFolder()}) {
        if (!folder.empty() && (folders.empty() || folders.front() != folder)) {
            folders.push_back(folder);
        }
    }
    return folders;
}

SessionLock::SessionLock(const std::string& sessionPath, const std::string& runtimeFolder) {
    if (runtimeFolder.empty()) {
        return;
    }
    const std::string base = runtimeFolder + "/rpncalc-" + KeyDigest(SessionKey(sessionPath));
    fd_ = ::open((base + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0) {
        return;
    }
    channelPath_ = base + ".socket";
    int result;
    do {
        result = ::flock(fd_, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        state_ = State::Held;
    } else if (errno == EWOULDBLOCK) {
        state_ = State::HeldElsewhere;
    } else {
        channelPath_.clear();
    }
}

SessionLock::~SessionLock() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

}  // namespace rpn

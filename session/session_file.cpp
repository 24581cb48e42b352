// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/session_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <istream>
#include <sstream>

#include "session/durable_file.h"
#include "session/file_descriptor.h"

namespace rpn {

namespace {

// Far more than any session file this program writes (nine lines of at most 25 bytes): a
// larger file is not a session, and reading it whole would only hold up the start.
constexpr off_t kLargestSessionFile = 64 * 1024;

SessionRead FirstRun() {
    SessionRead read;
    read.data.window = {0, 0};
    read.hasWindow = true;
    read.hasKeypadTop = true;
    read.hasKeypadLeft = true;
    return read;
}

SessionRead Unreadable() {
    SessionRead read;
    read.complete = false;
    return read;
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

SessionFile SessionFile::Unusable(std::string problem) {
    SessionFile file("");
    file.problem_ = std::move(problem);
    return file;
}

LoadedSession SessionFile::Load() const {
    LoadedSession loaded;
    if (!problem_.empty()) {
        loaded.read = FirstRun();
        loaded.error = "The session cannot be kept: " + problem_ + ".";
        return loaded;
    }
    struct stat info;
    const bool found = ::stat(path_.c_str(), &info) == 0;
    if (!found && (errno == ENOENT || errno == ENOTDIR)) {
        loaded.read = FirstRun();
        return loaded;
    }
    // Only a regular file is read: a device is not even opened. The open does not wait, so
    // that a FIFO put in the file's place after the look cannot hang the start-up.
    if (found && S_ISREG(info.st_mode)) {
        FileDescriptor fd(::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        if (fd.valid() && ::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_size <= kLargestSessionFile) {
            DescriptorBuffer buffer(fd.get(), kLargestSessionFile);
            std::istream in(&buffer);
            loaded.read = SessionData::Read(in);
        } else {
            loaded.read = Unreadable();
        }
    } else {
        loaded.read = Unreadable();
    }
    if (!loaded.read.complete) {
        loaded.error = "The file " + path_ + " has an incompatible format.";
    }
    return loaded;
}

void SessionFile::ThrowIfUnusable() const {
    if (!problem_.empty()) {
        throw FileWriteError("Cannot save the session: " + problem_);
    }
}

void SessionFile::Save(const SessionData& data) const {
    ThrowIfUnusable();
    std::ostringstream content;
    data.Write(content);
    ReplaceFileDurably(path_, content.str());
}

}  // namespace rpn

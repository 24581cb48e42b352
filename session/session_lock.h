// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace rpn {

// One session file has one calculator: the calculator that runs on a session file holds its
// lock for as long as it runs. The lock is a file lock (flock), so that the system drops it
// with the process however the process ends, kill -9 included; a lock file left behind
// blocks nobody.
class SessionLock {
  public:
    enum class State {
        // This process holds the session's lock.
        Held,
        // Another process holds it.
        HeldElsewhere,
        // No lock could be made (no private folder for it): the calculator runs unguarded.
        Unavailable,
    };

    // Takes the lock of the session file at `sessionPath`, kept in `runtimeFolder` (the
    // user's private runtime folder). Never waits.
    SessionLock(const std::string& sessionPath, const std::string& runtimeFolder);
    ~SessionLock();
    SessionLock(const SessionLock&) = delete;
    SessionLock& operator=(const SessionLock&) = delete;

    State state() const { return state_; }
    // Where the calculator that holds the lock listens for others; empty when Unavailable.
    const std::string& channelPath() const { return channelPath_; }

  private:
    int fd_ = -1;
    State state_ = State::Unavailable;
    std::string channelPath_;
};

// The name that every path to one session file shares: the file's own path with links
// resolved, or for a file not made yet its folder's and its name.
std::string SessionKey(const std::string& sessionPath);

// The user's private runtime folder: $XDG_RUNTIME_DIR when it is a full path, else a folder
// of the user's own under /tmp, made when missing. Empty when neither can be used.
std::string RuntimeFolder();

// Where a calculator locks its session file: the runtime folder, and the user's folder under
// /tmp as well, which every start of this user finds whatever its environment says (a
// terminal without the desktop's session has no $XDG_RUNTIME_DIR).
std::vector<std::string> LockFolders();

}  // namespace rpn

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace rpn {

// One session file has one calculator: the calculator that runs on a session file holds its
// lock for as long as it runs. The lock is a file lock (flock), so that the system drops it
// with the process however the process ends, kill -9 included; a lock file left behind
// blocks nobody. A calculator that ends normally removes its lock file and channel.
class SessionLock {
  public:
    enum class State {
        // This process holds the session's lock.
        Held,
        // Another process holds it.
        HeldElsewhere,
        // No lock could be made in the folder (not private to the user, or not writable).
        Unavailable,
    };

    // Takes the lock of the session file at `sessionPath`, kept in `lockFolder`, which is
    // used only when it is a folder private to the user. Never waits.
    SessionLock(const std::string& sessionPath, const std::string& lockFolder);
    // Held: removes the channel and the lock file, still holding the lock, so that a start
    // in the meantime finds either the lock held or no lock file at all.
    ~SessionLock();
    SessionLock(const SessionLock&) = delete;
    SessionLock& operator=(const SessionLock&) = delete;

    State state() const { return state_; }
    // Where the calculator that holds the lock listens for others; empty when Unavailable.
    const std::string& channelPath() const { return channelPath_; }
    // HeldElsewhere: false once the holder has gone and removed its lock file, so that the
    // start may try again instead of waiting for an answer that cannot come.
    bool StillNamed() const;

  private:
    void Take(const std::string& lockName);

    int folderFd_ = -1;
    int fd_ = -1;
    State state_ = State::Unavailable;
    std::string lockName_;
    std::string channelName_;
    std::string channelPath_;
};

// The name that every path to one session file shares: the file's own path with links
// resolved, or for a file not made yet its folder's and its name.
std::string SessionKey(const std::string& sessionPath);

// Whether the folder at `path` is private to the user: a folder, not a link, owned by the
// user, mode 0700; looked at through a descriptor opened without following a link. Made
// (mode 0700) when missing and `create`; the folder above it must be there.
bool IsUsableLockFolder(const std::string& path, bool create);

// What decides where the locks are kept.
struct LockPlaceFacts {
    // $XDG_RUNTIME_DIR.
    std::string runtimeFolder;
    // /tmp/rpncalc-<uid>, which every start of the user finds whatever its environment says
    // (a terminal without the desktop's session has no $XDG_RUNTIME_DIR).
    std::string userTmpFolder;
    // $HOME, or the password database's home folder when HOME is unset.
    std::string home;
};

LockPlaceFacts GatherLockPlaceFacts();

struct LockFolders {
    // Where a calculator locks its session file: each of them, so that a start which knows
    // only some of them finds the running calculator all the same.
    std::vector<std::string> folders;
    // What a start should say about them on stderr, or empty.
    std::string note;
};

// The runtime folder when it is private to the user, and the user's folder under /tmp. When
// that is not the user's own (another user made it first, or put a file, a FIFO or a link
// there), the private folder ~/.cache/rpncalc takes its place, which every start of the
// user finds as well. Folders that are missing are made, private.
LockFolders ChooseLockFolders(const LockPlaceFacts& facts);

}  // namespace rpn

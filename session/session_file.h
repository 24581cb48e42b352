// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "session/session_data.h"

namespace rpn {

// `programPath` with its extension (the last component from its last '.') replaced by
// `extension`, or `extension` appended when the file name has no '.'.
std::string PathBesideProgram(const std::string& programPath, const std::string& extension);

// What loading the session file gave; `error` is the message for the user, or empty.
struct LoadedSession {
    SessionRead read;
    std::string error;
};

// The session file at one path.
class SessionFile {
  public:
    explicit SessionFile(std::string path) : path_(std::move(path)) {}
    // No session file can be kept (`problem` says why, e.g. the program's path cannot be
    // read): loading gives the first run's session with a message that says so, and every
    // save fails with it. Nothing is read or written anywhere else in its place.
    static SessionFile Unusable(std::string problem);

    const std::string& path() const { return path_; }

    // A missing file gives the first run's session: the window at 0, 0 and the keypad where
    // it starts. A file that cannot be read as a session gives what its lines held before the
    // one that failed, and the message that the file has an incompatible format.
    LoadedSession Load() const;
    // Raises FileWriteError; the earlier file stays whole.
    void Save(const SessionData& data) const;
    // Raises the FileWriteError that every save raises when no session file can be kept.
    void ThrowIfUnusable() const;

  private:
    std::string path_;
    std::string problem_;
};

}  // namespace rpn

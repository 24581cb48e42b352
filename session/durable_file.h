// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace rpn {

// Raised when a file cannot be replaced; what() is the message for the user.
class FileWriteError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Replaces the file at `path` with `content` so that a failed save leaves the earlier file
// whole: written beside it, synced, and renamed over it. A symbolic link stays a link and
// the file at its end is replaced; only a regular file that the user may write is ever
// replaced. The temporary files
// of saves that ended half-way are removed. Raises FileWriteError.
void ReplaceFileDurably(const std::string& path, const std::string& content);

// The folder that `path` names a file in: "." for a bare name, "/" for a file in the root.
std::string FolderOf(const std::string& path);

}  // namespace rpn

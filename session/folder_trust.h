// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <string>

namespace rpn {

// What stands at a path, the link itself and not what it leads to.
struct NodeFacts {
    enum class Kind { Missing, Folder, Link, Other };
    Kind kind = Kind::Missing;
    uid_t owner = 0;
    mode_t mode = 0;
};

NodeFacts FactsOf(const struct stat& info);
// lstat: a link is reported as a link.
NodeFacts NodeFactsAt(const std::string& path);

// The user, or root, who may change anything anyway: what either of them made can be trusted.
bool IsTrustedOwner(uid_t owner, uid_t user);

// Nobody but `user` and root can add, remove, rename or replace what lies in the folder: it
// is a folder (not a link), owned by one of them, and neither its group nor others may write
// it. A sticky folder such as /tmp is not: another user may put anything under any name
// there that is still free.
bool OnlyUserMayChange(const NodeFacts& folder, uid_t user);

// Nobody but `user` and root can take away, rename or replace what lies in the folder, and so
// a folder of the user's below it stays the user's: as above, or sticky (as /tmp is), where
// others may add names but not touch the user's.
bool OthersCannotReplaceIn(const NodeFacts& folder, uid_t user);

// A folder of the user's alone, for the session's lock and the channel of the calculator
// that holds it: owned by `user`, not a link, nobody else may even enter it (mode 0700).
bool IsPrivateFolder(const NodeFacts& folder, uid_t user);

}  // namespace rpn

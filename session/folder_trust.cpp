// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/folder_trust.h"

namespace rpn {

NodeFacts FactsOf(const struct stat& info) {
    NodeFacts facts;
    facts.kind = S_ISDIR(info.st_mode)   ? NodeFacts::Kind::Folder
                 : S_ISLNK(info.st_mode) ? NodeFacts::Kind::Link
                                         : NodeFacts::Kind::Other;
    facts.owner = info.st_uid;
    facts.mode = info.st_mode & 07777;
    return facts;
}

NodeFacts NodeFactsAt(const std::string& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0) {
        return {};
    }
    return FactsOf(info);
}

bool IsTrustedOwner(uid_t owner, uid_t user) {
    return owner == user || owner == 0;
}

bool OnlyUserMayChange(const NodeFacts& folder, uid_t user) {
    return folder.kind == NodeFacts::Kind::Folder && IsTrustedOwner(folder.owner, user) &&
           (folder.mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool OthersCannotReplaceIn(const NodeFacts& folder, uid_t user) {
    return folder.kind == NodeFacts::Kind::Folder && IsTrustedOwner(folder.owner, user) &&
           ((folder.mode & (S_IWGRP | S_IWOTH)) == 0 || (folder.mode & S_ISVTX) != 0);
}

bool IsPrivateFolder(const NodeFacts& folder, uid_t user) {
    return folder.kind == NodeFacts::Kind::Folder && folder.owner == user &&
           (folder.mode & 0777) == 0700;
}

}  // namespace rpn

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

#include "session/folder_trust.h"

namespace rpn {

// What decides where the session file lives.
struct SessionPlaceFacts {
    // The running program's full path (links resolved).
    std::string programPath;
    // The user the calculator runs as (its effective user).
    uid_t user = 0;
    // The program's folder itself, and whether the user may create and rename files in it.
    NodeFacts programFolder;
    bool programFolderWritable = false;
    // What already stands at the session path beside the program.
    NodeFacts sessionBeside;
    // $XDG_CONFIG_HOME and $HOME (the password database's home folder when HOME is unset).
    std::string xdgConfigHome;
    std::string home;
    // The folders above the program's, from "/" down: whoever may replace one of them may
    // replace the program's folder too, with everything in it.
    std::vector<std::pair<std::string, NodeFacts>> foldersAbove;
};

// Where the session is kept for this run.
struct SessionPlace {
    // The session file; empty when none can be kept, and `problem` says why.
    std::string path;
    std::string problem;
    // Why the session is not beside the program although a file there would be used, for
    // one line at start; empty when nothing needs saying.
    std::string note;
};

// The session file's place. Beside the program (its name with ".cfg") when the user can write
// there, except in a system prefix (under /usr) where it stays beside the program only if a
// session file is already there; a symbolic link put beside the program is followed, being
// the user's own or root's. A folder that another user may change (a sticky /tmp, a group's
// folder, another user's, or one inside a folder that another user may change) keeps no
// session, nor is anything there followed or read: what
// stands beside the program may be theirs. Nor is a file there that another user owns.
// Otherwise, and in those cases, one file per user: $XDG_CONFIG_HOME/rpncalc/rpncalc.cfg,
// where an unset, empty or relative XDG_CONFIG_HOME means $HOME/.config.
SessionPlace ChooseSessionPlace(const SessionPlaceFacts& facts);

// The facts above for the running program, from the file system and the environment.
SessionPlaceFacts GatherSessionPlaceFacts(const std::string& programPath);

// Creates the missing folders above the session file, private to the user as the
// configuration folder's convention asks. A failure here is not reported: the save that
// follows names the path it could not write.
void PrepareSessionFolder(const std::string& sessionPath);

}  // namespace rpn

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rpn {

// What decides where the session file lives.
struct SessionPlaceFacts {
    // The running program's full path (links resolved).
    std::string programPath;
    // The user may create and rename files in the program's folder.
    bool programFolderWritable = false;
    // Something already stands at the session path beside the program, and whether it is a
    // symbolic link.
    bool sessionBesideExists = false;
    bool sessionBesideIsLink = false;
    // $XDG_CONFIG_HOME and $HOME (the password database's home folder when HOME is unset).
    std::string xdgConfigHome;
    std::string home;
};

// The session file's path. Beside the program (its name with ".cfg") when the user can write
// there, except in a system prefix (under /usr) where it stays beside the program only if a
// session file is already there; a symbolic link put beside the program is always followed.
// Otherwise one file per user: $XDG_CONFIG_HOME/rpncalc/rpncalc.cfg, where an unset, empty or
// relative XDG_CONFIG_HOME means $HOME/.config.
std::string SessionFilePath(const SessionPlaceFacts& facts);

// The facts above for the running program, from the file system and the environment.
SessionPlaceFacts GatherSessionPlaceFacts(const std::string& programPath);

// Creates the missing folders above the session file, private to the user as the
// configuration folder's convention asks. A failure here is not reported: the save that
// follows names the path it could not write.
void PrepareSessionFolder(const std::string& sessionPath);

}  // namespace rpn

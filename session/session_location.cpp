// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/session_location.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "session/durable_file.h"
#include "session/session_file.h"

namespace rpn {
namespace {

bool IsAbsolute(const std::string& path) {
    return !path.empty() && path.front() == '/';
}

// Nothing under /usr is written at run time: a program there is a system installation even
// for root, who may write anywhere.
bool InSystemPrefix(const std::string& programPath) {
    return programPath.starts_with("/usr/");
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string HomeFolder() {
    std::string home = Environment("HOME");
    if (home.empty()) {
        if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) {
            home = entry->pw_dir;
        }
    }
    return home;
}

}  // namespace

std::string SessionFilePath(const SessionPlaceFacts& facts) {
    const std::string beside = PathBesideProgram(facts.programPath, ".cfg");
    if (facts.sessionBesideIsLink) {
        return beside;
    }
    if (facts.programFolderWritable &&
        (!InSystemPrefix(facts.programPath) || facts.sessionBesideExists)) {
        return beside;
    }
    std::string configHome = facts.xdgConfigHome;
    if (!IsAbsolute(configHome)) {
        if (!IsAbsolute(facts.home)) {
            // No folder of the user's own is known: the save will report the path beside
            // the program that it could not write.
            return beside;
        }
        configHome = facts.home + "/.config";
    }
    return configHome + "/rpncalc/rpncalc.cfg";
}

SessionPlaceFacts GatherSessionPlaceFacts(const std::string& programPath) {
    SessionPlaceFacts facts;
    facts.programPath = programPath;
    // Saving creates a file beside the session file and renames it over it.
    facts.programFolderWritable = ::access(FolderOf(programPath).c_str(), W_OK | X_OK) == 0;
    struct stat info;
    const std::string beside = PathBesideProgram(programPath, ".cfg");
    facts.sessionBesideExists = ::lstat(beside.c_str(), &info) == 0;
    facts.sessionBesideIsLink = facts.sessionBesideExists && S_ISLNK(info.st_mode);
    facts.xdgConfigHome = Environment("XDG_CONFIG_HOME");
    facts.home = HomeFolder();
    return facts;
}

void PrepareSessionFolder(const std::string& sessionPath) {
    const std::string folder = FolderOf(sessionPath);
    // Almost always there already, beside the program or from an earlier run.
    struct stat info;
    if (::stat(folder.c_str(), &info) == 0) {
        return;
    }
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string step = folder.substr(0, slash);
        if (::mkdir(step.c_str(), 0700) != 0 && errno != EEXIST) {
            return;
        }
        if (slash == std::string::npos) {
            return;
        }
    }
}

}  // namespace rpn

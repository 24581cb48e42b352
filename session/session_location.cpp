// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/session_location.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

// The per-user session file, or empty when no folder of the user's own is known.
std::string PerUserSessionPath(const SessionPlaceFacts& facts) {
    std::string configHome = facts.xdgConfigHome;
    if (!IsAbsolute(configHome)) {
        if (!IsAbsolute(facts.home)) {
            return {};
        }
        configHome = facts.home + "/.config";
    }
    return configHome + "/rpncalc/rpncalc.cfg";
}

}  // namespace

SessionPlace ChooseSessionPlace(const SessionPlaceFacts& facts) {
    const std::string beside = PathBesideProgram(facts.programPath, ".cfg");
    const NodeFacts::Kind besideKind = facts.sessionBeside.kind;
    // Why what stands beside the program is not to be touched at all.
    std::string distrust;
    const auto openAbove = std::find_if(
        facts.foldersAbove.begin(), facts.foldersAbove.end(),
        [&](const auto& above) { return !OthersCannotReplaceIn(above.second, facts.user); });
    if (openAbove != facts.foldersAbove.end()) {
        distrust = "another user may change the folder " + openAbove->first + ", which holds " +
                   FolderOf(beside);
    } else if (!OnlyUserMayChange(facts.programFolder, facts.user)) {
        distrust = "another user may change the folder " + FolderOf(beside);
    } else if (besideKind != NodeFacts::Kind::Missing &&
               !IsTrustedOwner(facts.sessionBeside.owner, facts.user)) {
        distrust = beside + " belongs to another user";
    } else if (besideKind == NodeFacts::Kind::Link) {
        return {beside, {}, {}};
    } else if (facts.programFolderWritable &&
               (!InSystemPrefix(facts.programPath) || besideKind != NodeFacts::Kind::Missing)) {
        return {beside, {}, {}};
    }
    const std::string perUser = PerUserSessionPath(facts);
    if (distrust.empty()) {
        // No folder of the user's own is known: the save will report the path beside the
        // program that it could not write.
        return {perUser.empty() ? beside : perUser, {}, {}};
    }
    if (perUser.empty()) {
        return {{}, distrust + ", and no home folder is known", {}};
    }
    return {perUser, {}, "the session is kept in " + perUser + ": " + distrust};
}

SessionPlaceFacts GatherSessionPlaceFacts(const std::string& programPath) {
    SessionPlaceFacts facts;
    facts.programPath = programPath;
    facts.user = ::geteuid();
    const std::string folder = FolderOf(programPath);
    facts.programFolder = NodeFactsAt(folder);
    // The path has its links resolved: each prefix is a real folder on the way.
    for (std::size_t slash = 0; slash < folder.size(); slash = folder.find('/', slash + 1)) {
        const std::string above = slash == 0 ? "/" : folder.substr(0, slash);
        facts.foldersAbove.emplace_back(above, NodeFactsAt(above));
    }
    // Saving creates a file beside the session file and renames it over it.
    facts.programFolderWritable = ::access(folder.c_str(), W_OK | X_OK) == 0;
    facts.sessionBeside = NodeFactsAt(PathBesideProgram(programPath, ".cfg"));
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

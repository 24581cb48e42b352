// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/start_limits.h"

#include <cerrno>
#include <cstring>

namespace rpn {

namespace {

bool Below(rlim_t value, rlim_t least) {
    return value != RLIM_INFINITY && value < least;
}

}  // namespace

StartLimitVerdict JudgeStartLimits(ResourceLimit openFiles, ResourceLimit stack) {
    StartLimitVerdict verdict;
    if (Below(openFiles.soft, kLeastOpenFiles)) {
        if (Below(openFiles.hard, kLeastOpenFiles)) {
            verdict.problem = "cannot start with a limit of " + std::to_string(openFiles.hard) +
                              " open files (ulimit -n); it needs at least " +
                              std::to_string(kLeastOpenFiles) + ".";
            return verdict;
        }
        verdict.raiseOpenFilesTo = kLeastOpenFiles;
    }
    // The threads' stacks are sized when the process starts: raising the limit now would come
    // too late for them.
    if (Below(stack.soft, kLeastStackBytes)) {
        verdict.problem = "cannot start with a stack limit of " +
                          std::to_string(stack.soft / 1024) +
                          " KiB (ulimit -s); it needs at least " +
                          std::to_string(kLeastStackBytes / 1024) + " KiB.";
    }
    return verdict;
}

std::string PrepareStartLimits() {
    rlimit files{};
    rlimit stack{};
    if (::getrlimit(RLIMIT_NOFILE, &files) != 0 || ::getrlimit(RLIMIT_STACK, &stack) != 0) {
        // Unknown limits: the start goes on as it always did.
        return {};
    }
    const StartLimitVerdict verdict =
        JudgeStartLimits({files.rlim_cur, files.rlim_max}, {stack.rlim_cur, stack.rlim_max});
    if (verdict.problem.empty() && verdict.raiseOpenFilesTo != 0) {
        files.rlim_cur = verdict.raiseOpenFilesTo;
        if (::setrlimit(RLIMIT_NOFILE, &files) != 0) {
            return "cannot raise the limit of open files to " +
                   std::to_string(verdict.raiseOpenFilesTo) + " (" + std::strerror(errno) + ").";
        }
    }
    return verdict.problem;
}

}  // namespace rpn

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/resource.h>

#include <string>

namespace rpn {

// A resource limit as the system gives it: the soft value in force and the hard ceiling up to
// which a process may raise it itself.
struct ResourceLimit {
    rlim_t soft;
    rlim_t hard;
};

// What the start does about the open-file and stack limits it was given.
struct StartLimitVerdict {
    // A soft open-file limit to raise to, within the hard one; 0 for none.
    rlim_t raiseOpenFilesTo = 0;
    // Empty when the program can run; else the one line that says which limit stops it.
    std::string problem;
};

// The calculator uses about 20 files at once (the X connection, the session bus and the
// accessibility bus, the lock files, the channel a second start speaks on, the wake-up pipes)
// and a save needs two more; the start was seen to fail at 12 and to lose its saves at 16.
// Its threads run with the stack limit as their stack size, and a start crashed at 80 KiB.
// These minimums leave room beyond what was seen.
inline constexpr rlim_t kLeastOpenFiles = 64;
inline constexpr rlim_t kLeastStackBytes = 256 * 1024;

// Judges the limits before anything has started: a run under a limit too low to work would
// crash or lose the X connection half-way, and its saves with it.
StartLimitVerdict JudgeStartLimits(ResourceLimit openFiles, ResourceLimit stack);

// Reads the process's limits, raises the open-file one when it is low and may be raised, and
// returns the problem that stops the start, or an empty text.
std::string PrepareStartLimits();

}  // namespace rpn

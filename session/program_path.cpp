// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/program_path.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace rpn {

ProgramPath ReadLinkTarget(const std::string& link) {
    ProgramPath result;
    // The path's length is not known before it is read: grow until it fits.
    std::string target(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink(link.c_str(), target.data(), target.size());
        if (length < 0) {
            result.problem =
                "the program's own path cannot be read (" + std::string(std::strerror(errno)) + ")";
            return result;
        }
        if (static_cast<std::size_t>(length) < target.size()) {
            target.resize(static_cast<std::size_t>(length));
            break;
        }
        target.resize(target.size() * 2);
    }
    if (target.empty() || target.front() != '/') {
        // A name relative to some folder would put the session file wherever the program was
        // started from.
        result.problem = "the program's own path is not a full path (" + target + ")";
        return result;
    }
    result.path = std::move(target);
    return result;
}

ProgramPath RunningProgramPath() {
    return ReadLinkTarget("/proc/self/exe");
}

}  // namespace rpn

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shutdown_save.h"

#include <cstdio>

#include "session/durable_file.h"

namespace rpn {

int SaveAtShutdown(const std::optional<SessionData>& data, const SessionFile& session) {
    try {
        session.ThrowIfUnusable();
        if (data) {
            session.Save(*data);
        }
    } catch (const FileWriteError& failure) {
        std::fprintf(stderr, "rpncalc: the session was not saved: %s\n", failure.what());
        return 1;
    }
    return 0;
}

}  // namespace rpn

// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/session_snapshot.h"

namespace rpn {

void SessionSnapshot::Update(const SessionData& data) {
    const std::lock_guard lock(mutex_);
    data_ = data;
}

std::optional<SessionData> SessionSnapshot::Latest() const {
    const std::lock_guard lock(mutex_);
    return data_;
}

}  // namespace rpn

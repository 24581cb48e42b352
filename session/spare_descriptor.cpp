// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/spare_descriptor.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>

namespace rpn::spare_descriptor {

namespace {

// The event loop and the shutdown watchdog's thread may both save; only one save runs at a
// time, and whichever lends the descriptor takes it again.
std::atomic<int> spare{-1};

}  // namespace

void Keep() {
    if (spare.load() >= 0) {
        return;
    }
    const int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    int none = -1;
    if (fd >= 0 && !spare.compare_exchange_strong(none, fd)) {
        ::close(fd);
    }
}

LentForSave::LentForSave() {
    const int fd = spare.exchange(-1);
    lent_ = fd >= 0;
    if (lent_) {
        ::close(fd);
    }
}

LentForSave::~LentForSave() {
    if (lent_) {
        Keep();
    }
}

}  // namespace rpn::spare_descriptor

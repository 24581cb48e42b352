// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

namespace rpn::desktop {

// What reading an X selection gave.
struct X11SelectionText {
    enum class Outcome {
        Text,
        // No owner, or an owner that offers no text.
        NoText,
        // Longer than the limit; none of it was copied.
        TooLong,
        // The owner did not hand the text over in time.
        NoAnswer,
    };
    Outcome outcome = Outcome::NoText;
    // Latin-1, characters beyond it as '?'; only for Text.
    std::string text;
};

// Reads the text of the X selection named `selection` (CLIPBOARD, PRIMARY, XdndSelection) of
// the X display `displayName` (null: $DISPLAY) on a connection of its own, so that the wait for
// its owner is bounded by `deadline` (the toolkit's own read waits five seconds per request)
// and a text longer than `limit` bytes is refused from its size alone. Must not be asked while
// this program owns the selection: the owner's answer would come from this same thread.
// The name of the display the toolkit opened, a -display option included; null for $DISPLAY.
const char* ToolkitDisplayName();

X11SelectionText ReadX11Selection(const char* displayName, const char* selection, std::size_t limit,
                                  std::chrono::milliseconds deadline);

}  // namespace rpn::desktop

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>

#include "engine/register.h"

namespace rpn {

// A window's top and left edge in screen pixels.
struct WindowPosition {
    int32_t top = 0;
    int32_t left = 0;
    bool operator==(const WindowPosition&) const = default;
};

// Where the keypad window stands when no session file says otherwise.
inline constexpr WindowPosition kDefaultKeypadPosition{300, 20};

struct SessionRead;

// The session file's content: nine lines (X, Y, Z, T, window top, window left, memory, keypad
// top, keypad left), each written with CR LF; reading takes CR LF, LF or CR as a line's end.
struct SessionData {
    Register x = 0;
    Register y = 0;
    Register z = 0;
    Register t = 0;
    WindowPosition window;
    Register memory = 0;
    WindowPosition keypad = kDefaultKeypadPosition;

    void Write(std::ostream& out) const;
    // Reads the lines in order. Files of earlier versions end after line 6 (no memory, no
    // keypad) or line 7; a byte 26 or the end of the file ends the data, and a line that is
    // missing from there on reads as 0. Text after a number on its line is ignored.
    static SessionRead Read(std::istream& in);
};

// What a session file gave: its data and which of its parts it held. A line that does not
// convert ends the reading; the parts read before it are still given (`complete` false).
struct SessionRead {
    SessionData data;
    // Lines 5 and 6.
    bool hasWindow = false;
    // Line 7.
    bool hasMemory = false;
    // Lines 8 and 9, each on its own: a file may fail between them.
    bool hasKeypadTop = false;
    bool hasKeypadLeft = false;
    // False when a line did not convert: the stack then starts at 0.
    bool complete = true;
};

}  // namespace rpn

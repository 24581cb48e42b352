// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <ostream>
#include <string>

#include "engine/calculator.h"
#include "engine/number_text.h"
#include "tests/engine/fake_window.h"
#include "tests/engine/state_access.h"

namespace rpn::testing {

// What an operation may change: the registers, the flags and the four field texts.
struct Snapshot {
    Register x, y, z, t, committedX, memory;
    bool stackLift, degreesMode;
    std::array<std::string, 4> texts;

    bool operator==(const Snapshot&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Snapshot& s) {
    out.precision(21);
    return out << "X=" << s.x << " Y=" << s.y << " Z=" << s.z << " T=" << s.t
               << " CommittedX=" << s.committedX << " M=" << s.memory
               << " StackLift=" << s.stackLift << " DegreesMode=" << s.degreesMode << " texts=["
               << s.texts[0] << "|" << s.texts[1] << "|" << s.texts[2] << "|" << s.texts[3] << "]";
}

// The display text of a value, as the register fields show it.
inline std::string Shown(Register x) {
    return FormatRegister(x, kDisplayWidth, '.');
}

// A calculator on a window without a screen, brought into the state of a user who has just
// typed an entry over a displayed stack.
struct CalculatorRig {
    FakeWindow window;
    Calculator calc{window};

    void Prepare(const std::string& typed, Register y, Register z, Register t) {
        CalculatorState& s = StateOf(calc);
        s.T = t;
        s.Z = z;
        s.Y = y;
        s.X = 99;
        s.CommittedX = 99;
        s.MemoryRegister = 42;
        calc.RefreshDisplay();
        window.TypeIntoX(typed);
        // Typing clears StackLift.
        s.StackLift = false;
        window.focusRequests = 0;
    }

    Snapshot Take() const {
        const CalculatorState& s = calc.state();
        return {s.X,
                s.Y,
                s.Z,
                s.T,
                s.CommittedX,
                s.MemoryRegister,
                s.StackLift,
                s.DegreesMode,
                {window.field(Field::X).text, window.field(Field::Y).text,
                 window.field(Field::Z).text, window.field(Field::T).text}};
    }
};

}  // namespace rpn::testing

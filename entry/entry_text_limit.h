// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace rpn {

// The longest text the X field takes, whatever brings it there: a paste, a drop, typing or
// the keypad. A register keeps about 20 significant digits and any decimal scale beyond 5120
// gives infinity or zero, so no number needs more than a few thousand characters; far beyond
// that a text is no number, and taking it would only freeze the window while the field lays
// it out.
inline constexpr std::size_t kEntryTextLimit = 64 * 1024;

// Whether putting `inserted` characters in place of `selected` of the `fieldLength`
// characters in the field leaves it within kEntryTextLimit: characters typed or pasted one
// after another (a key held down) must not grow an entry past what a single paste may bring.
inline bool EntryFits(std::size_t fieldLength, std::size_t selected, std::size_t inserted) {
    return fieldLength - selected + inserted <= kEntryTextLimit;
}

}  // namespace rpn

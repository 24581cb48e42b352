// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <string>

#include "engine/window_port.h"

namespace rpn {

// A field's selection held within its text: start counts the characters before it, length
// is 0 for a bare caret.
struct FieldSelection {
    int start;
    int length;
};

inline FieldSelection SelectionOf(const WindowPort& window, Field field, const std::string& text) {
    const int size = static_cast<int>(text.size());
    const int start = std::clamp(window.SelectionStart(field), 0, size);
    return {start, std::clamp(window.SelectionLength(field), 0, size - start)};
}

// The text with its selection replaced by `insert` (inserted at the caret when nothing is
// selected).
inline std::string ReplaceSelection(const std::string& text, FieldSelection selection,
                                    const std::string& insert) {
    return text.substr(0, selection.start) + insert +
           text.substr(selection.start + selection.length);
}

}  // namespace rpn

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/key_mapping.h"

#include <QKeyEvent>

namespace rpn::ui {

rpn::Key KeyOf(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Up:
            return rpn::Key::Up;
        case Qt::Key_Down:
            return rpn::Key::Down;
        case Qt::Key_PageUp:
            return rpn::Key::PageUp;
        case Qt::Key_PageDown:
            return rpn::Key::PageDown;
        case Qt::Key_C:
            return rpn::Key::LetterC;
        case Qt::Key_V:
            return rpn::Key::LetterV;
        case Qt::Key_X:
            return rpn::Key::LetterX;
        default:
            return rpn::Key::Other;
    }
}

rpn::KeyModifiers ModifiersOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers m = event.modifiers();
    return {.shift = m.testFlag(Qt::ShiftModifier),
            .ctrl = m.testFlag(Qt::ControlModifier),
            .alt = m.testFlag(Qt::AltModifier)};
}

std::optional<char> CharacterOf(const QKeyEvent& event) {
    const int key = event.key();
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return '\r';
        case Qt::Key_Backspace:
            return '\b';
        case Qt::Key_Escape:
            return '\x1b';
        default:
            break;
    }
    const rpn::KeyModifiers modifiers = ModifiersOf(event);
    if (modifiers.ctrl) {
        // The text Qt gives with Ctrl differs between platforms; the key does not.
        if (key >= Qt::Key_A && key <= Qt::Key_Z) {
            return static_cast<char>(key - Qt::Key_A + 1);
        }
        return std::nullopt;
    }
    if (modifiers.alt) {
        return std::nullopt;
    }
    const QString text = event.text();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    const char16_t c = text.front().unicode();
    if (c < 0x20 || c == 0x7f) {
        return std::nullopt;
    }
    // A character that one byte cannot hold is typed as "?", as a single-byte code page
    // would take it.
    if (text.size() > 1 || c > 0xff) {
        return '?';
    }
    return static_cast<char>(c);
}

ControlKey ControlKeyOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers m = event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier |
                                                         Qt::AltModifier | Qt::MetaModifier);
    const int key = event.key();
    if (m == Qt::NoModifier && key >= Qt::Key_F1 && key <= Qt::Key_F12) {
        return FunctionKey(key - Qt::Key_F1 + 1);
    }
    const bool letterOrDigit =
        (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
    if (!letterOrDigit) {
        return {};
    }
    if (m == Qt::AltModifier) {
        return AltKey(static_cast<char>(key));
    }
    if (m == (Qt::AltModifier | Qt::ShiftModifier)) {
        return AltShiftKey(static_cast<char>(key));
    }
    return {};
}

bool TypesWithAlt(const QKeyEvent& event) {
    const Qt::KeyboardModifiers m = event.modifiers();
    if (!m.testFlag(Qt::AltModifier) || m.testFlag(Qt::ControlModifier)) {
        return false;
    }
    const QString text = event.text();
    return !text.isEmpty() && text.front().isPrint();
}

}  // namespace rpn::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>

#include "engine/operation.h"
#include "engine/window_port.h"
#include "layout/control_key.h"
#include "version/program_version.h"

namespace rpn::ui {

// The main window as designed at 120 pixels per inch. The window scales every number here by
// one factor when it is created.
enum class ControlKind { GlyphButton, PushButton, Label, EditField };

// What a click on a control does: run an operation of the calculator, or a command of the
// window around it. Labels and fields do nothing.
enum class Command {
    None,
    Calculate,
    EditX,
    ToggleExponentSign,
    Copy,
    Paste,
    ToggleKeypad,
    ToggleStayOnTop,
    ToggleTrigPanel,
    Help,
    Exit,
};

struct ControlAction {
    Command command = Command::None;
    // The operation that Command::Calculate runs.
    Operation operation = Operation::Add;

    bool operator==(const ControlAction&) const = default;
};

constexpr ControlAction Calculate(Operation operation) {
    return {Command::Calculate, operation};
}
constexpr ControlAction Run(Command command) {
    return {command, Operation::Add};
}

// What the window knows a control by when no click of it runs anything: the register fields
// it writes and the label that shows the angle mode.
enum class ControlRole { None, XField, YField, ZField, TField, AngleMode };

// The field that shows register `field`.
ControlRole FieldRole(Field field);

struct ControlLayout {
    // The designer's object name: the widget's, and the scripts' handle on it. Logic knows
    // a control by its action or its role instead.
    const char* name;
    ControlKind kind;
    // Caption of a button or label; empty for the edit fields and the bitmap glyph buttons.
    const char* caption;
    // Tooltip; empty when the control shows none.
    const char* hint;
    int left;
    int top;
    int width;
    int height;
    // Character height of the control's bold font.
    int fontHeight;
    ControlAction action = {};
    // The key that runs the same as a click, wherever the focus is in the window.
    ControlKey key = {};
    ControlRole role = ControlRole::None;
};

inline constexpr int kClientWidth = 522;
inline constexpr int kClientHeight = 311;
inline constexpr int kDesignedLeft = 1003;
inline constexpr int kDesignedTop = 616;
inline constexpr int kWindowFontHeight = 17;
// Top edge of the Trig/Log rows, which the compact view hides.
inline constexpr int kTrigAreaTop = 228;
// Help topics: the Help button opens the first, the help key the window's own.
inline constexpr int kHelpContentsTopic = 0;
inline constexpr int kWindowHelpTopic = 200;

inline constexpr const char* kTopCaptionOn = "Back";
inline constexpr const char* kTopHintOn = "Click to move to back";
inline constexpr const char* kTopCaptionOff = "Top";
inline constexpr const char* kTopHintOff = "Click to stay on top";
inline constexpr const char* kSmallCaptionCompact = "Trig";
inline constexpr const char* kSmallHintCompact = "Click for Trig/Log";
inline constexpr const char* kSmallCaptionLarge = "Small";
inline constexpr const char* kSmallHintLarge = "Click to shrink";

std::span<const ControlLayout> MainWindowControls();
// The control with the object name `name`, or nullptr: how a widget finds its own row.
const ControlLayout* FindControl(std::string_view name);
// The control that plays `role`, runs `operation` or runs the window command `command`, or
// nullptr.
const ControlLayout* FindControl(ControlRole role);
const ControlLayout* FindControl(Operation operation);
const ControlLayout* FindControl(Command command);
// The control that `key` runs, or nullptr.
const ControlLayout* FindControlByKey(ControlKey key);

}  // namespace rpn::ui

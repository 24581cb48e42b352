// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/main_window_layout.h"

#include <algorithm>
#include <array>

namespace rpn::ui {

namespace {

using enum ControlKind;

constexpr std::array kControls = {
    ControlLayout{"SpeedButtonPM", GlyphButton, "", "Change sign X", 10, 176, 36, 36, 17,
                  Calculate(Operation::ChangeSign), AltKey('N')},
    ControlLayout{"SpeedButtonP", GlyphButton, "", "X = Y + X", 62, 176, 36, 36, 27,
                  Calculate(Operation::Add), AltKey('P')},
    ControlLayout{"SpeedButtonM", GlyphButton, "", "X = Y - X", 113, 176, 36, 36, 33,
                  Calculate(Operation::Subtract), AltKey('M')},
    ControlLayout{"SpeedButtonMu", GlyphButton, "", "X = Y * X", 165, 176, 36, 36, 33,
                  Calculate(Operation::Multiply), AltKey('U')},
    ControlLayout{"SpeedButtonD", GlyphButton, "", "X = Y / X", 217, 176, 36, 36, 33,
                  Calculate(Operation::Divide), AltKey('D')},
    ControlLayout{"SpeedButtonYX", GlyphButton, "", "X = Y^X", 268, 176, 36, 36, 17,
                  Calculate(Operation::Power), AltKey('Y')},
    ControlLayout{"SpeedButtonSqr", GlyphButton, "", "X = X^0.5", 320, 176, 36, 36, 17,
                  Calculate(Operation::SquareRoot), AltKey('Q')},
    ControlLayout{"SpeedButtonX2", GlyphButton, "", "X = X^2", 372, 176, 36, 36, 17,
                  Calculate(Operation::Square), AltShiftKey('Q')},
    ControlLayout{"SpeedButton1X", GlyphButton, "", "X = 1 / X", 423, 176, 36, 36, 17,
                  Calculate(Operation::Reciprocal), AltKey('I')},
    ControlLayout{"SpeedButtonPME", GlyphButton, "", "Change sign E+/-", 475, 176, 36, 36, 17,
                  Run(Command::ToggleExponentSign), AltShiftKey('N')},
    ControlLayout{"SpeedButtonR", GlyphButton, "", "Down Roll", 241, 7, 36, 36, 20,
                  Calculate(Operation::RollDown), AltKey('R')},
    ControlLayout{"SpeedButtonxy", GlyphButton, "", "X Y interchange", 241, 49, 36, 36, 33,
                  Calculate(Operation::SwapXY), AltKey('X')},
    ControlLayout{"SpeedButtonC", GlyphButton, "CA", "Clear All", 286, 7, 36, 36, 17,
                  Calculate(Operation::ClearAll), AltKey('A')},
    ControlLayout{"SpeedButtonCE", GlyphButton, "CX", "Clear X", 287, 49, 36, 36, 17,
                  Calculate(Operation::ClearX), AltKey('Z')},
    ControlLayout{"Label4", Label, "T", "", 4, 5, 30, 32, 23},
    ControlLayout{"Label3", Label, "Z", "", 4, 48, 30, 32, 23},
    ControlLayout{"Label2", Label, "Y", "", 4, 88, 30, 32, 23},
    ControlLayout{"Label1", Label, "X", "", 4, 131, 30, 32, 23},
    ControlLayout{"EditT", EditField, "", "", 36, 7, 193, 33, 23, ControlAction{}, ControlKey{},
                  ControlRole::TField},
    ControlLayout{"EditZ", EditField, "", "", 36, 49, 193, 33, 23, ControlAction{}, ControlKey{},
                  ControlRole::ZField},
    ControlLayout{"EditY", EditField, "", "", 36, 90, 193, 33, 23, ControlAction{}, ControlKey{},
                  ControlRole::YField},
    ControlLayout{"EditX", EditField, "", "", 36, 131, 193, 33, 23, ControlAction{}, ControlKey{},
                  ControlRole::XField},
    ControlLayout{"Buttonedit", PushButton, "Edit X", "Edit number in X reg", 241, 90, 83, 36, 20,
                  Run(Command::EditX), FunctionKey(2)},
    ControlLayout{"ButtonE", PushButton, "Enter", "", 241, 130, 83, 36, 20,
                  Calculate(Operation::Enter), AltKey('E')},
    ControlLayout{"Button1", PushButton, "Keys", "Floating Key Board", 336, 7, 54, 36, 20,
                  Run(Command::ToggleKeypad), FunctionKey(5)},
    ControlLayout{"ButtonH", PushButton, "Help", "Open help file", 396, 7, 54, 36, 20,
                  Run(Command::Help), FunctionKey(8)},
    ControlLayout{"Buttondone", PushButton, "Exit", "Exit Calcilator", 455, 7, 54, 36, 20,
                  Run(Command::Exit), FunctionKey(10)},
    ControlLayout{"Buttontop", PushButton, kTopCaptionOn, kTopHintOn, 336, 48, 54, 36, 20,
                  Run(Command::ToggleStayOnTop), FunctionKey(7)},
    ControlLayout{"ButtonSmall", PushButton, kSmallCaptionCompact, kSmallHintCompact, 455, 48, 54,
                  36, 20, Run(Command::ToggleTrigPanel), FunctionKey(6)},
    ControlLayout{"ButtonCOPY", PushButton, "Copy", "Win Clip=X, Y, Z or T", 335, 88, 82, 36, 20,
                  Run(Command::Copy), FunctionKey(3)},
    ControlLayout{"ButtonPaste", PushButton, "Paste", "X = Win Clip", 335, 129, 82, 36, 20,
                  Run(Command::Paste), FunctionKey(4)},
    ControlLayout{"ButtonSTO", PushButton, "STO", "Store M=X", 429, 88, 82, 36, 20,
                  Calculate(Operation::Store), AltKey('O')},
    ControlLayout{"ButtonRCL", PushButton, "RCL", "Recall X=M", 429, 129, 82, 36, 20,
                  Calculate(Operation::Recall), AltShiftKey('O')},
    ControlLayout{"Buttonsin", PushButton, "sin (x)", "", 10, 228, 66, 31, 15,
                  Calculate(Operation::Sine), AltKey('S')},
    ControlLayout{"Buttoncos", PushButton, "cos (x)", "", 80, 228, 66, 31, 15,
                  Calculate(Operation::Cosine), AltKey('C')},
    ControlLayout{"Buttontan", PushButton, "tan (x)", "", 151, 228, 66, 31, 15,
                  Calculate(Operation::Tangent), AltKey('T')},
    ControlLayout{"Label5", Label, "Degrees", "", 221, 230, 74, 30, 15, ControlAction{},
                  ControlKey{}, ControlRole::AngleMode},
    ControlLayout{"Buttondegrad", PushButton, "deg>rad", "Convert X to rad", 296, 228, 72, 31, 15,
                  Calculate(Operation::DegreesToRadians), AltKey('V')},
    ControlLayout{"Buttonlog", PushButton, "log(x)", "", 374, 228, 66, 31, 15,
                  Calculate(Operation::Log10), AltKey('G')},
    ControlLayout{"Buttonln", PushButton, "ln (x)", "", 446, 228, 66, 31, 15,
                  Calculate(Operation::NaturalLog), AltKey('L')},
    ControlLayout{"Buttonasin", PushButton, "asin(x)", "", 10, 271, 66, 31, 15,
                  Calculate(Operation::ArcSine), AltShiftKey('S')},
    ControlLayout{"Buttonacos", PushButton, "acos(x)", "", 80, 271, 66, 31, 15,
                  Calculate(Operation::ArcCosine), AltShiftKey('C')},
    ControlLayout{"Buttonatan", PushButton, "atan(x)", "", 151, 271, 66, 31, 15,
                  Calculate(Operation::ArcTangent), AltShiftKey('T')},
    ControlLayout{"Buttondeg", PushButton, "deg/rad", "Toggle deg/rad", 222, 271, 68, 31, 15,
                  Calculate(Operation::ToggleAngleMode), AltKey('W')},
    ControlLayout{"Buttonraddeg", PushButton, "rad>deg", "Convert X to deg", 296, 271, 72, 31, 15,
                  Calculate(Operation::RadiansToDegrees), AltShiftKey('V')},
    ControlLayout{"Button10X", PushButton, "10^x", "", 374, 271, 66, 31, 15,
                  Calculate(Operation::TenToX), AltShiftKey('G')},
    ControlLayout{"Buttonex", PushButton, "e^x", "", 446, 271, 66, 31, 15,
                  Calculate(Operation::NaturalExp), AltShiftKey('L')},
};

template <typename Predicate>
const ControlLayout* FindIf(Predicate matches) {
    const auto it = std::find_if(kControls.begin(), kControls.end(), matches);
    return it == kControls.end() ? nullptr : &*it;
}

}  // namespace

ControlRole FieldRole(Field field) {
    switch (field) {
        case Field::X:
            return ControlRole::XField;
        case Field::Y:
            return ControlRole::YField;
        case Field::Z:
            return ControlRole::ZField;
        case Field::T:
            return ControlRole::TField;
    }
    return ControlRole::XField;
}

std::span<const ControlLayout> MainWindowControls() {
    return kControls;
}

const ControlLayout* FindControl(std::string_view name) {
    return FindIf([name](const ControlLayout& c) { return name == c.name; });
}

const ControlLayout* FindControl(ControlRole role) {
    return role == ControlRole::None
               ? nullptr
               : FindIf([role](const ControlLayout& c) { return c.role == role; });
}

const ControlLayout* FindControl(Operation operation) {
    return FindIf(
        [action = Calculate(operation)](const ControlLayout& c) { return c.action == action; });
}

const ControlLayout* FindControl(Command command) {
    if (command == Command::None || command == Command::Calculate) {
        return nullptr;
    }
    return FindIf([command](const ControlLayout& c) { return c.action.command == command; });
}

const ControlLayout* FindControlByKey(ControlKey key) {
    if (!key) {
        return nullptr;
    }
    return FindIf([key](const ControlLayout& c) { return c.key == key; });
}

}  // namespace rpn::ui

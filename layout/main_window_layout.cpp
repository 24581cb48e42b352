#include "layout/main_window_layout.h"

#include <algorithm>
#include <array>

namespace rpn::ui {

namespace {

using enum ControlKind;

constexpr std::array kControls = {
    ControlLayout{"SpeedButtonPM", GlyphButton, "", "Change sign X", 10, 176, 36, 36, 17,
                  Calculate(Operation::ChangeSign)},
    ControlLayout{"SpeedButtonP", GlyphButton, "", "X = Y + X", 62, 176, 36, 36, 27,
                  Calculate(Operation::Add)},
    ControlLayout{"SpeedButtonM", GlyphButton, "", "X = Y - X", 113, 176, 36, 36, 33,
                  Calculate(Operation::Subtract)},
    ControlLayout{"SpeedButtonMu", GlyphButton, "", "X = Y * X", 165, 176, 36, 36, 33,
                  Calculate(Operation::Multiply)},
    ControlLayout{"SpeedButtonD", GlyphButton, "", "X = Y / X", 217, 176, 36, 36, 33,
                  Calculate(Operation::Divide)},
    ControlLayout{"SpeedButtonYX", GlyphButton, "", "X = Y^X", 268, 176, 36, 36, 17,
                  Calculate(Operation::Power)},
    ControlLayout{"SpeedButtonSqr", GlyphButton, "", "X = X^0.5", 320, 176, 36, 36, 17,
                  Calculate(Operation::SquareRoot)},
    ControlLayout{"SpeedButtonX2", GlyphButton, "", "X = X^2", 372, 176, 36, 36, 17,
                  Calculate(Operation::Square)},
    ControlLayout{"SpeedButton1X", GlyphButton, "", "X = 1 / X", 423, 176, 36, 36, 17,
                  Calculate(Operation::Reciprocal)},
    ControlLayout{"SpeedButtonPME", GlyphButton, "", "Change sign E+/-", 475, 176, 36, 36, 17,
                  Run(Command::ToggleExponentSign)},
    ControlLayout{"SpeedButtonR", GlyphButton, "", "Down Roll", 241, 7, 36, 36, 20,
                  Calculate(Operation::RollDown)},
    ControlLayout{"SpeedButtonxy", GlyphButton, "", "X Y interchange", 241, 49, 36, 36, 33,
                  Calculate(Operation::SwapXY)},
    ControlLayout{"SpeedButtonC", GlyphButton, "CA", "Clear All", 286, 7, 36, 36, 17,
                  Calculate(Operation::ClearAll)},
    ControlLayout{"SpeedButtonCE", GlyphButton, "CX", "Clear X", 287, 49, 36, 36, 17,
                  Calculate(Operation::ClearX)},
    ControlLayout{"Label4", Label, "T", "", 4, 5, 30, 32, 23},
    ControlLayout{"Label3", Label, "Z", "", 4, 48, 30, 32, 23},
    ControlLayout{"Label2", Label, "Y", "", 4, 88, 30, 32, 23},
    ControlLayout{"Label1", Label, "X", "", 4, 131, 30, 32, 23},
    ControlLayout{"EditT", EditField, "", "", 36, 7, 193, 33, 23},
    ControlLayout{"EditZ", EditField, "", "", 36, 49, 193, 33, 23},
    ControlLayout{"EditY", EditField, "", "", 36, 90, 193, 33, 23},
    ControlLayout{"EditX", EditField, "", "", 36, 131, 193, 33, 23},
    ControlLayout{"Buttonedit", PushButton, "Edit X", "Edit number in X reg", 241, 90, 83, 36, 20,
                  Run(Command::EditX)},
    ControlLayout{"ButtonE", PushButton, "Enter", "", 241, 130, 83, 36, 20,
                  Calculate(Operation::Enter)},
    ControlLayout{"Button1", PushButton, "Keys", "Floating Key Board", 336, 7, 54, 36, 20,
                  Run(Command::ToggleKeypad)},
    ControlLayout{"ButtonH", PushButton, "Help", "Open help file", 396, 7, 54, 36, 20,
                  Run(Command::Help)},
    ControlLayout{"Buttondone", PushButton, "Exit", "Exit Calcilator", 455, 7, 54, 36, 20,
                  Run(Command::Exit)},
    ControlLayout{"Buttontop", PushButton, kTopCaptionOn, kTopHintOn, 336, 48, 54, 36, 20,
                  Run(Command::ToggleStayOnTop)},
    ControlLayout{"ButtonSmall", PushButton, kSmallCaptionCompact, kSmallHintCompact, 455, 48, 54,
                  36, 20, Run(Command::ToggleTrigPanel)},
    ControlLayout{"ButtonCOPY", PushButton, "Copy", "Win Clip=X, Y, Z or T", 335, 88, 82, 36, 20,
                  Run(Command::Copy)},
    ControlLayout{"ButtonPaste", PushButton, "Paste", "X = Win Clip", 335, 129, 82, 36, 20,
                  Run(Command::Paste)},
    ControlLayout{"ButtonSTO", PushButton, "STO", "Store M=X", 429, 88, 82, 36, 20,
                  Calculate(Operation::Store)},
    ControlLayout{"ButtonRCL", PushButton, "RCL", "Recall X=M", 429, 129, 82, 36, 20,
                  Calculate(Operation::Recall)},
    ControlLayout{"Buttonsin", PushButton, "sin (x)", "", 10, 228, 66, 31, 15,
                  Calculate(Operation::Sine)},
    ControlLayout{"Buttoncos", PushButton, "cos (x)", "", 80, 228, 66, 31, 15,
                  Calculate(Operation::Cosine)},
    ControlLayout{"Buttontan", PushButton, "tan (x)", "", 151, 228, 66, 31, 15,
                  Calculate(Operation::Tangent)},
    ControlLayout{"Label5", Label, "Degrees", "", 221, 230, 74, 30, 15},
    ControlLayout{"Buttondegrad", PushButton, "deg>rad", "Convert X to rad", 296, 228, 72, 31, 15,
                  Calculate(Operation::DegreesToRadians)},
    ControlLayout{"Buttonlog", PushButton, "log(x)", "", 374, 228, 66, 31, 15,
                  Calculate(Operation::Log10)},
    ControlLayout{"Buttonln", PushButton, "ln (x)", "", 446, 228, 66, 31, 15,
                  Calculate(Operation::NaturalLog)},
    ControlLayout{"Buttonasin", PushButton, "asin(x)", "", 10, 271, 66, 31, 15,
                  Calculate(Operation::ArcSine)},
    ControlLayout{"Buttonacos", PushButton, "acos(x)", "", 80, 271, 66, 31, 15,
                  Calculate(Operation::ArcCosine)},
    ControlLayout{"Buttonatan", PushButton, "atan(x)", "", 151, 271, 66, 31, 15,
                  Calculate(Operation::ArcTangent)},
    ControlLayout{"Buttondeg", PushButton, "deg/rad", "Toggle deg/rad", 222, 271, 68, 31, 15,
                  Calculate(Operation::ToggleAngleMode)},
    ControlLayout{"Buttonraddeg", PushButton, "rad>deg", "Convert X to deg", 296, 271, 72, 31, 15,
                  Calculate(Operation::RadiansToDegrees)},
    ControlLayout{"Button10X", PushButton, "10^x", "", 374, 271, 66, 31, 15,
                  Calculate(Operation::TenToX)},
    ControlLayout{"Buttonex", PushButton, "e^x", "", 446, 271, 66, 31, 15,
                  Calculate(Operation::NaturalExp)},
};

}  // namespace

std::span<const ControlLayout> MainWindowControls() {
    return kControls;
}

const ControlLayout* FindControl(std::string_view name) {
    const auto it = std::find_if(kControls.begin(), kControls.end(),
                                 [name](const ControlLayout& c) { return name == c.name; });
    return it == kControls.end() ? nullptr : &*it;
}

}  // namespace rpn::ui

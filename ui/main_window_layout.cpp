#include "ui/main_window_layout.h"

#include <algorithm>
#include <array>

namespace rpn::ui {

namespace {

using enum ControlKind;

constexpr std::array kControls = {
    ControlSpec{"SpeedButtonPM", GlyphButton, "", "Change sign X", 10, 176, 36, 36, 17},
    ControlSpec{"SpeedButtonP", GlyphButton, "", "X = Y + X", 62, 176, 36, 36, 27},
    ControlSpec{"SpeedButtonM", GlyphButton, "", "X = Y - X", 113, 176, 36, 36, 33},
    ControlSpec{"SpeedButtonMu", GlyphButton, "", "X = Y * X", 165, 176, 36, 36, 33},
    ControlSpec{"SpeedButtonD", GlyphButton, "", "X = Y / X", 217, 176, 36, 36, 33},
    ControlSpec{"SpeedButtonYX", GlyphButton, "", "X = Y^X", 268, 176, 36, 36, 17},
    ControlSpec{"SpeedButtonSqr", GlyphButton, "", "X = X^0.5", 320, 176, 36, 36, 17},
    ControlSpec{"SpeedButtonX2", GlyphButton, "", "X = X^2", 372, 176, 36, 36, 17},
    ControlSpec{"SpeedButton1X", GlyphButton, "", "X = 1 / X", 423, 176, 36, 36, 17},
    ControlSpec{"SpeedButtonPME", GlyphButton, "", "Change sign E+/-", 475, 176, 36, 36, 17},
    ControlSpec{"SpeedButtonR", GlyphButton, "", "Down Roll", 241, 7, 36, 36, 20},
    ControlSpec{"SpeedButtonxy", GlyphButton, "", "X Y interchange", 241, 49, 36, 36, 33},
    ControlSpec{"SpeedButtonC", GlyphButton, "CA", "Clear All", 286, 7, 36, 36, 17},
    ControlSpec{"SpeedButtonCE", GlyphButton, "CX", "Clear X", 287, 49, 36, 36, 17},
    ControlSpec{"Label4", Label, "T", "", 4, 5, 30, 32, 23},
    ControlSpec{"Label3", Label, "Z", "", 4, 48, 30, 32, 23},
    ControlSpec{"Label2", Label, "Y", "", 4, 88, 30, 32, 23},
    ControlSpec{"Label1", Label, "X", "", 4, 131, 30, 32, 23},
    ControlSpec{"EditT", EditField, "", "", 36, 7, 193, 33, 23},
    ControlSpec{"EditZ", EditField, "", "", 36, 49, 193, 33, 23},
    ControlSpec{"EditY", EditField, "", "", 36, 90, 193, 33, 23},
    ControlSpec{"EditX", EditField, "", "", 36, 131, 193, 33, 23},
    ControlSpec{"Buttonedit", PushButton, "Edit X", "Edit number in X reg", 241, 90, 83, 36, 20},
    ControlSpec{"ButtonE", PushButton, "Enter", "", 241, 130, 83, 36, 20},
    ControlSpec{"Button1", PushButton, "Keys", "Floating Key Board", 336, 7, 54, 36, 20},
    ControlSpec{"ButtonH", PushButton, "Help", "Open help file", 396, 7, 54, 36, 20},
    ControlSpec{"Buttondone", PushButton, "Exit", "Exit Calcilator", 455, 7, 54, 36, 20},
    ControlSpec{"Buttontop", PushButton, kTopCaptionOn, kTopHintOn, 336, 48, 54, 36, 20},
    ControlSpec{"ButtonSmall", PushButton, kSmallCaptionCompact, kSmallHintCompact, 455, 48, 54, 36,
                20},
    ControlSpec{"ButtonCOPY", PushButton, "Copy", "Win Clip=X, Y, Z or T", 335, 88, 82, 36, 20},
    ControlSpec{"ButtonPaste", PushButton, "Paste", "X = Win Clip", 335, 129, 82, 36, 20},
    ControlSpec{"ButtonSTO", PushButton, "STO", "Store M=X", 429, 88, 82, 36, 20},
    ControlSpec{"ButtonRCL", PushButton, "RCL", "Recall X=M", 429, 129, 82, 36, 20},
    ControlSpec{"Buttonsin", PushButton, "sin (x)", "", 10, 228, 66, 31, 15},
    ControlSpec{"Buttoncos", PushButton, "cos (x)", "", 80, 228, 66, 31, 15},
    ControlSpec{"Buttontan", PushButton, "tan (x)", "", 151, 228, 66, 31, 15},
    ControlSpec{"Label5", Label, "Degrees", "", 221, 230, 74, 30, 15},
    ControlSpec{"Buttondegrad", PushButton, "deg>rad", "Convert X to rad", 296, 228, 72, 31, 15},
    ControlSpec{"Buttonlog", PushButton, "log(x)", "", 374, 228, 66, 31, 15},
    ControlSpec{"Buttonln", PushButton, "ln (x)", "", 446, 228, 66, 31, 15},
    ControlSpec{"Buttonasin", PushButton, "asin(x)", "", 10, 271, 66, 31, 15},
    ControlSpec{"Buttonacos", PushButton, "acos(x)", "", 80, 271, 66, 31, 15},
    ControlSpec{"Buttonatan", PushButton, "atan(x)", "", 151, 271, 66, 31, 15},
    ControlSpec{"Buttondeg", PushButton, "deg/rad", "Toggle deg/rad", 222, 271, 68, 31, 15},
    ControlSpec{"Buttonraddeg", PushButton, "rad>deg", "Convert X to deg", 296, 271, 72, 31, 15},
    ControlSpec{"Button10X", PushButton, "10^x", "", 374, 271, 66, 31, 15},
    ControlSpec{"Buttonex", PushButton, "e^x", "", 446, 271, 66, 31, 15},
};

}  // namespace

std::span<const ControlSpec> MainWindowControls() {
    return kControls;
}

const ControlSpec* FindControl(std::string_view name) {
    const auto it = std::find_if(kControls.begin(), kControls.end(),
                                 [name](const ControlSpec& c) { return name == c.name; });
    return it == kControls.end() ? nullptr : &*it;
}

}  // namespace rpn::ui

#pragma once

#include "engine/register.h"
#include "engine/window_port.h"

namespace rpn {

// The calculator state: one per run, owned by the main window.
struct CalculatorState {
    Register X = 0;
    Register Y = 0;
    Register Z = 0;
    Register T = 0;
    // The last X that an operation produced or Enter pushed; what the session file keeps.
    Register CommittedX = 0;
    Register MemoryRegister = 0;
    // True: the X field shows a finished value, and the next typed character lifts it.
    bool StackLift = false;
    bool DegreesMode = true;
    bool MathOk = true;
};

// The caption of the angle-mode label: "Degrees" or "Radians".
const char* AngleModeCaption(bool degreesMode);

// The calculator engine: the state and every operation on it. It reaches the window only
// through WindowPort. Arithmetic faults that an operation does not catch leave it as
// ArithmeticFault, before anything has been stored.
class Calculator {
public:
    explicit Calculator(WindowPort& window) : window_(window) {}

    CalculatorState state;

    // The system's decimal separator, used by the fixed form of the display.
    char decimalSeparator = '.';

    // Register primitives.
    bool CommitX();
    void RefreshDisplay();
    void PushX();
    void ButtonEClick();
    // EditX focused with all of its text selected.
    void FocusXSelectAll();

    // Arithmetic, stack and memory operations.
    void SpeedButtonPClick();   // X = Y + X
    void SpeedButtonMClick();   // X = Y - X
    void SpeedButtonMuClick();  // X = Y * X
    void SpeedButtonDClick();   // X = Y / X
    void SpeedButtonYXClick();  // X = Y ^ X
    void SpeedButton1XClick();  // X = 1 / X
    void SpeedButtonX2Click();  // X = X ^ 2
    void ButtonsqrtClick();     // X = X ^ 0.5
    void SpeedButtonPMClick();  // change sign of X
    void SpeedButtonCEClick();  // clear X
    void SpeedButtonCClick();   // clear all
    void SpeedButtonRClick();   // roll down (button)
    void RollDown();
    void RollUp();
    void SpeedButtonxyClick();  // exchange X and Y
    void ButtonSTOClick();
    void ButtonRCLClick();

    // Scientific functions, conversions and the angle mode.
    void ButtonsinClick();
    void ButtoncosClick();
    void ButtontanClick();
    void ButtonasinClick();
    void ButtonacosClick();
    void ButtonatanClick();
    void ButtonlogClick();
    void Button10XClick();
    void ButtonlnClick();
    void ButtonexClick();
    void ButtondegradClick();
    void ButtonraddegClick();
    void ButtondegClick();
    void ReportMathResult();

    WindowPort& window() { return window_; }

private:
    WindowPort& window_;
};

}  // namespace rpn

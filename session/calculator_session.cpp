// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/calculator_session.h"

#include "engine/arithmetic_fault.h"
#include "engine/number_text.h"

namespace rpn {

void ApplySession(const LoadedSession& loaded, Calculator& calculator, SessionHost& host,
                  WindowPosition& keypadPosition) {
    const SessionRead& read = loaded.read;
    const SessionData& data = read.data;
    if (read.hasWindow) {
        host.MoveMainWindow(data.window);
    }
    if (read.hasKeypadTop) {
        keypadPosition.top = data.keypad.top;
    }
    if (read.hasKeypadLeft) {
        keypadPosition.left = data.keypad.left;
    }
    if (!loaded.error.empty()) {
        host.ShowErrorBox(loaded.error);
    }
    const Register memory = read.hasMemory ? data.memory : calculator.state().MemoryRegister;
    calculator.LoadRegisters(data.x, data.y, data.z, data.t, memory);
}

void OpenSession(const LoadedSession& loaded, Calculator& calculator, SessionHost& host,
                 WindowPosition& keypadPosition, const std::function<void()>& afterApplying) {
    ApplySession(loaded, calculator, host, keypadPosition);
    afterApplying();
    calculator.KeepLoadedXFinished();
}

SessionData CaptureSession(Calculator& calculator, const SessionHost& host,
                           WindowPosition keypadPosition, const EntryFaultReport& entryFault) {
    try {
        calculator.CommitXForSaving();
    } catch (const ArithmeticFault& fault) {
        // The commit stopped before it stored anything: the last committed X stands.
        if (entryFault) {
            entryFault(fault);
        }
    }
    const CalculatorState& state = calculator.state();
    return {.x = state.CommittedX,
            .y = state.Y,
            .z = state.Z,
            .t = state.T,
            .window = host.MainWindowPosition(),
            .memory = state.MemoryRegister,
            .keypad = keypadPosition};
}

SessionData PreviewSession(const Calculator& calculator, const std::string& entryText,
                           WindowPosition window, WindowPosition keypadPosition) {
    const CalculatorState& state = calculator.state();
    Register x = state.CommittedX;
    const std::string text = CommaToPoint(entryText);
    try {
        const ParseResult parsed = ParseEntry(text.empty() ? std::string_view("0") : text);
        if (parsed.ok()) {
            x = parsed.value;
        }
    } catch (const ArithmeticFault&) {
        // Beyond the register's range: kept out like an entry that does not convert.
    }
    return {.x = x,
            .y = state.Y,
            .z = state.Z,
            .t = state.T,
            .window = window,
            .memory = state.MemoryRegister,
            .keypad = keypadPosition};
}

}  // namespace rpn

#include "session/calculator_session.h"

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

SessionData CaptureSession(Calculator& calculator, const SessionHost& host,
                           WindowPosition keypadPosition) {
    calculator.CommitXForSaving();
    const CalculatorState& state = calculator.state();
    return {.x = state.CommittedX,
            .y = state.Y,
            .z = state.Z,
            .t = state.T,
            .window = host.MainWindowPosition(),
            .memory = state.MemoryRegister,
            .keypad = keypadPosition};
}

}  // namespace rpn

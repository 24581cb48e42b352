// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/script_session.h"

#include "session/calculator_session.h"
#include "session/program_path.h"
#include "session/session_location.h"

namespace rpn::cli {

namespace {

// The windows' side of a session, for a calculator that has none.
class NoWindows : public SessionHost {
  public:
    WindowPosition MainWindowPosition() const override { return {}; }
    void MoveMainWindow(WindowPosition) override {}
    void ShowErrorBox(const std::string&) override {}
};

void Open(const LoadedSession& loaded, Calculator& calculator) {
    NoWindows windows;
    WindowPosition keypad = kDefaultKeypadPosition;
    // The window saves at once after opening, and that save commits X from its shown text:
    // the same commit here starts X where the window's starts, without the write.
    OpenSession(loaded, calculator, windows, keypad,
                [&] { CaptureSession(calculator, windows, keypad); });
}

}  // namespace

std::string OpenSavedSession(Calculator& calculator) {
    const ProgramPath program = RunningProgramPath();
    if (!program.problem.empty()) {
        return "The session cannot be read: " + program.problem + ".";
    }
    // The file the window would open, chosen by the same rules (never one in a folder that
    // another user may change).
    const SessionPlace place = ChooseSessionPlace(GatherSessionPlaceFacts(program.path));
    if (place.path.empty()) {
        return "The session cannot be read: " + place.problem + ".";
    }
    const LoadedSession loaded = SessionFile(place.path).Load();
    if (!loaded.error.empty()) {
        return loaded.error;
    }
    Open(loaded, calculator);
    return {};
}

void OpenFreshSession(Calculator& calculator) {
    Open(LoadedSession{}, calculator);
}

}  // namespace rpn::cli

// SPDX-License-Identifier: GPL-3.0-or-later
// A session file of any bytes: loading never crashes or hangs, an incompatible file leaves
// the four registers at 0 with one message, and the file saved afterwards has nine lines and
// loads again without a message.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/calculator.h"
#include "session/calculator_session.h"
#include "tests/engine/fake_window.h"

namespace {

class RecordingHost : public rpn::SessionHost {
  public:
    rpn::WindowPosition position{616, 1003};
    int errorBoxes = 0;
    rpn::WindowPosition MainWindowPosition() const override { return position; }
    void MoveMainWindow(rpn::WindowPosition p) override { position = p; }
    void ShowErrorBox(const std::string&) override { ++errorBoxes; }
};

const std::string& SessionPath() {
    static const std::string path = [] {
        char folder[] = "/tmp/rpncalc-fuzz-XXXXXX";
        if (mkdtemp(folder) == nullptr) {
            std::abort();
        }
        return std::string(folder) + "/rpncalc.cfg";
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    rpn::InitialiseRegisterArithmetic();
    {
        std::ofstream out(SessionPath(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    rpn::testing::FakeWindow window;
    rpn::Calculator calc(window);
    RecordingHost host;
    rpn::WindowPosition keypad{};
    const rpn::SessionFile session(SessionPath());

    rpn::ApplySession(session.Load(), calc, host, keypad);
    const rpn::CalculatorState& loaded = calc.state();
    if (host.errorBoxes > 1) {
        std::abort();
    }
    if (host.errorBoxes == 1 &&
        (loaded.X != 0 || loaded.Y != 0 || loaded.Z != 0 || loaded.T != 0)) {
        std::abort();
    }
    try {
        session.Save(rpn::CaptureSession(calc, host, keypad));
    } catch (const std::exception&) {
        // An X shown as +Inf does not read back as an entry; nothing was written then.
        return 0;
    }
    std::ifstream in(SessionPath(), std::ios::binary);
    std::stringstream saved;
    saved << in.rdbuf();
    const std::string text = saved.str();
    size_t lines = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) {
        ++lines;
    }
    if (lines != 9) {
        std::abort();
    }
    rpn::testing::FakeWindow nextWindow;
    rpn::Calculator next(nextWindow);
    RecordingHost nextHost;
    rpn::ApplySession(session.Load(), next, nextHost, keypad);
    if (nextHost.errorBoxes != 0) {
        std::abort();
    }
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Clipboard text of any bytes pasted over any entry: a value is lifted into X, or the paste
// is refused with a beep and the stack stays; an overflow comes out as the fault and nothing
// else escapes.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "engine/arithmetic_fault.h"
#include "engine/calculator.h"
#include "entry/clipboard_exchange.h"
#include "entry/clipboard_port.h"
#include "tests/engine/fake_window.h"
#include "tests/engine/state_access.h"

namespace {

class FixedClipboard : public rpn::ClipboardPort {
  public:
    explicit FixedClipboard(std::string text) : text_(std::move(text)) {}
    std::optional<std::string> Text() override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }

  private:
    std::string text_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    rpn::InitialiseRegisterArithmetic();
    rpn::testing::FakeWindow window;
    rpn::Calculator calc(window);
    StateOf(calc).Y = 5;
    StateOf(calc).Z = 6;
    window.TypeIntoX("7");
    FixedClipboard clipboard(std::string(reinterpret_cast<const char*>(data), size));
    rpn::ClipboardExchange exchange(calc, clipboard);
    try {
        exchange.Paste();
    } catch (const rpn::ArithmeticFault& fault) {
        if (fault.kind() != rpn::FaultKind::Overflow) {
            std::abort();
        }
        return 0;
    }
    const bool lifted = StateOf(calc).Y == 7 && StateOf(calc).Z == 5 && StateOf(calc).T == 6;
    const bool refused = window.beeps == 1 && StateOf(calc).Y == 5 && StateOf(calc).Z == 6;
    if (lifted == refused || std::isnan(StateOf(calc).X)) {
        std::abort();
    }
    return 0;
}

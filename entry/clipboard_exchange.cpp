#include "entry/clipboard_exchange.h"

#include <algorithm>
#include <optional>
#include <string>

#include "engine/number_text.h"

namespace rpn {

void ClipboardExchange::ButtonCOPYClick() {
    WindowPort& window = calc_.window();
    if (CopySource != Field::X) {
        // Y, Z and T go out exactly as shown.
        clipboard_.SetText(window.FieldText(CopySource));
        CopySource = Field::X;
        return;
    }
    // The clipboard gets the display form of the entry, never the text as typed.
    const ParseResult parsed = ParseEntry(CommaToPoint(window.FieldText(Field::X)));
    calc_.state.X = parsed.value;
    if (parsed.ok()) {
        clipboard_.SetText(FormatRegister(calc_.state.X, kDisplayWidth, calc_.decimalSeparator));
    } else {
        window.Beep();
        window.SetFieldText(Field::X, "0");
    }
    calc_.state.StackLift = true;
    calc_.FocusXSelectAll();
}

void ClipboardExchange::ButtonPasteClick() {
    CalculatorState& state = calc_.state;
    // Read first, so that a refused text leaves even an unreadable entry as it stands.
    const std::optional<std::string> offered = clipboard_.Text();
    if (!offered) {
        calc_.window().Beep();
        return;
    }
    // An unreadable entry has already been answered by the commit; the paste goes on with 0.
    calc_.CommitX();
    state.CommittedX = state.X;

    std::string text = CommaToPoint(*offered);
    ParseResult parsed = ParseEntry(text);
    if (!parsed.ok()) {
        // Take the number that the text starts with ("12.5 kg", "42\n"); one cut only.
        text.resize(std::min(text.size(), static_cast<std::size_t>(parsed.failurePosition - 1)));
        parsed = ParseEntry(text);
    }
    if (!parsed.ok()) {
        calc_.window().Beep();
        return;
    }
    state.T = state.Z;
    state.Z = state.Y;
    state.Y = state.CommittedX;
    state.X = parsed.value;
    state.CommittedX = state.X;
    calc_.RefreshDisplay();
}

}  // namespace rpn

// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry/clipboard_exchange.h"

#include <algorithm>
#include <optional>
#include <string>

#include "engine/number_text.h"

namespace rpn {

void ClipboardExchange::Copy() {
    WindowPort& window = calc_.window();
    if (CopySource != Field::X) {
        // Y, Z and T go out exactly as shown.
        clipboard_.SetText(window.FieldText(CopySource));
        CopySource = Field::X;
        return;
    }
    // The clipboard gets the display form of the entry, never the text as typed; unlike an
    // operation, the copy takes an empty field for no number at all.
    if (calc_.ReadX(EmptyEntry::IsRefused)) {
        clipboard_.SetText(
            FormatRegister(calc_.state().X, kDisplayWidth, calc_.decimalSeparator()));
    }
    calc_.EndEntry();
    calc_.FocusXSelectAll();
}

void ClipboardExchange::Paste() {
    // Read first, so that a refused text leaves even an unreadable entry as it stands.
    const std::optional<std::string> offered = clipboard_.Text();
    if (!offered || !EntryFits(0, 0, offered->size())) {
        calc_.window().Beep();
        return;
    }
    // An unreadable entry has already been answered by the commit; the paste goes on with 0.
    calc_.CommitXAsKept();

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
    calc_.LiftStack();
    calc_.ShowNewX(parsed.value);
}

}  // namespace rpn

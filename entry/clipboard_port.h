// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace rpn {

// The longest clipboard text that a paste takes. A register keeps about 20 significant digits
// and any decimal scale beyond 5120 gives infinity or zero, so no number needs more than a few
// thousand characters; far beyond that a text is no number, and taking it would only freeze
// the window while the entry lays it out.
inline constexpr std::size_t kClipboardTextLimit = 64 * 1024;

// Whether a paste of `pasted` characters over `selected` of the `fieldLength` characters in a
// field leaves the field within kClipboardTextLimit: pastes repeated (a paste key held down)
// must not grow an entry past what a single paste may bring.
inline bool PasteFits(std::size_t fieldLength, std::size_t selected, std::size_t pasted) {
    return fieldLength - selected + pasted <= kClipboardTextLimit;
}

// The system's shared text clipboard, as plain single-byte text. A clipboard that cannot be
// opened reads as an empty text, and a write to it is lost.
class ClipboardPort {
  public:
    virtual ~ClipboardPort() = default;

    // The clipboard's text; empty when it holds none. Nothing when the text is longer than
    // kClipboardTextLimit or its owner did not hand it over within about a second: the
    // paste is refused then, and nothing of it is kept in memory.
    virtual std::optional<std::string> Text() = 0;
    // Replaces the whole clipboard content with `text`.
    virtual void SetText(const std::string& text) = 0;
};

}  // namespace rpn

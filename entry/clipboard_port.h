// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "entry/entry_text_limit.h"

namespace rpn {

// The system's shared text clipboard, as plain single-byte text. A clipboard that cannot be
// opened reads as an empty text, and a write to it is lost.
class ClipboardPort {
  public:
    virtual ~ClipboardPort() = default;

    // The clipboard's text; empty when it holds none. Nothing when the text is longer than
    // kEntryTextLimit or its owner did not hand it over within about a second: the
    // paste is refused then, and nothing of it is kept in memory.
    virtual std::optional<std::string> Text() = 0;
    // Replaces the whole clipboard content with `text`.
    virtual void SetText(const std::string& text) = 0;
};

}  // namespace rpn

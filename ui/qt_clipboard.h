// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/paste_source.h"

namespace rpn::ui {

// The system's clipboard, primary selection and drops as plain single-byte text: Latin-1 in
// both directions, a character outside it read as "?". A text longer than the paste limit,
// or one whose owner does not answer within a second, is refused.
class QtClipboard : public PasteSource {
  public:
    std::optional<std::string> Text() override;
    void SetText(const std::string& text) override;
    std::optional<std::string> SelectionText() override;
    std::optional<std::string> DroppedText(const QMimeData& data, bool fromThisProgram) override;
};

}  // namespace rpn::ui

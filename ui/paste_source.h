// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "entry/clipboard_port.h"

class QMimeData;

namespace rpn::ui {

// Every text that can be pasted or dropped into the X field, each read as the clipboard is:
// within the paste limit and a bounded wait for its owner, and nothing when it is refused.
class PasteSource : public rpn::ClipboardPort {
  public:
    // The primary selection (middle-click); empty where the platform has none.
    virtual std::optional<std::string> SelectionText() = 0;
    // The text of a drop; `fromThisProgram` when one of this program's fields was dragged.
    virtual std::optional<std::string> DroppedText(const QMimeData& data, bool fromThisProgram) = 0;
};

}  // namespace rpn::ui

#pragma once

#include "entry/clipboard_port.h"

namespace rpn::ui {

// The system clipboard (not the X11 primary selection) as plain single-byte text: Latin-1 in
// both directions, a character outside it read as "?". A text longer than the paste limit,
// or one whose owner does not answer within a second, is refused.
class QtClipboard : public rpn::ClipboardPort {
  public:
    std::optional<std::string> Text() override;
    void SetText(const std::string& text) override;
};

}  // namespace rpn::ui

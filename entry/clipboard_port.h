#pragma once

#include <string>

namespace rpn {

// The system's shared text clipboard, as plain single-byte text. A clipboard that cannot be
// opened reads as an empty text, and a write to it is lost.
class ClipboardPort {
  public:
    virtual ~ClipboardPort() = default;

    // The clipboard's text; empty when it holds none.
    virtual std::string Text() = 0;
    // Replaces the whole clipboard content with `text`.
    virtual void SetText(const std::string& text) = 0;
};

}  // namespace rpn

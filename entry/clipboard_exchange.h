// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calculator.h"
#include "entry/clipboard_port.h"

namespace rpn {

// Numbers to and from other programs through the clipboard, and which register field the
// Copy button and Ctrl+C take.
class ClipboardExchange {
  public:
    ClipboardExchange(Calculator& calculator, ClipboardPort& clipboard)
        : calc_(calculator), clipboard_(clipboard) {}

    // The register field that received the focus last. A copy from Y, Z or T sets it back
    // to X, so each entry of those fields serves one copy.
    Field CopySource = Field::X;

    // A register field received the focus.
    void FieldFocused(Field field) { CopySource = field; }

    // Copies the register field that had the focus last; X in its display form.
    void Copy();
    // Pushes the number that the clipboard's text starts with.
    void Paste();

  private:
    Calculator& calc_;
    ClipboardPort& clipboard_;
};

}  // namespace rpn

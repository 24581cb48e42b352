// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <utility>

#include "engine/calculator.h"
#include "entry/clipboard_exchange.h"
#include "entry/clipboard_port.h"
#include "entry/keyboard_commands.h"
#include "entry/x_entry.h"

namespace rpn {

// The entry side of the main window: X editing, the clipboard exchange and the keyboard
// commands, wired to one calculator and one clipboard.
struct EntryController {
    EntryController(Calculator& calculator, ClipboardPort& clipboard,
                    std::function<void()> closeKeypad)
        : xEntry(calculator),
          clipboardExchange(calculator, clipboard),
          keyboard(calculator, clipboard, clipboardExchange, xEntry, std::move(closeKeypad)) {}

    XEntry xEntry;
    ClipboardExchange clipboardExchange;
    KeyboardCommands keyboard;
};

}  // namespace rpn

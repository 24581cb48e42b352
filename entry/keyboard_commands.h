#pragma once

#include <functional>
#include <utility>

#include "engine/calculator.h"
#include "entry/clipboard_exchange.h"
#include "entry/clipboard_port.h"
#include "entry/x_entry.h"

namespace rpn {

// Virtual key codes of the keys the keyboard commands know; the window maps its own key
// identities to these.
namespace vk {
inline constexpr int kPageUp = 33;
inline constexpr int kPageDown = 34;
inline constexpr int kUp = 38;
inline constexpr int kDown = 40;
inline constexpr int kC = 67;
inline constexpr int kV = 86;
inline constexpr int kX = 88;
}  // namespace vk

// The modifier keys held with a key.
struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;

    // The clipboard keys act only with Ctrl alone; with Shift or Alt as well they are left
    // to the focused field.
    bool CtrlOnly() const { return ctrl && !shift && !alt; }
};

// The main window's keyboard commands: the clipboard keys done by hand at key-down whichever
// control has the focus, Esc for the keypad window, and the roll and sign keys of the X field.
class KeyboardCommands {
  public:
    KeyboardCommands(Calculator& calculator, ClipboardPort& clipboard, ClipboardExchange& exchange,
                     XEntry& entry, std::function<void()> closeKeypad)
        : calc_(calculator),
          clipboard_(clipboard),
          exchange_(exchange),
          entry_(entry),
          closeKeypad_(std::move(closeKeypad)) {}

    // Set after a cut, a paste or a copy from X done by hand, so that the control character
    // of the same keystroke does not make the focused field do it a second time.
    bool SuppressNextKey = false;

    // Sees every key-down of the main window before the focused control; never consumes it.
    void FormKeyDown(int key, KeyModifiers modifiers);
    // Sees every character of the main window before the focused control; 0 swallows it.
    void FormKeyPress(char& key);
    // Key release in the X field; 0 keeps the field from processing it.
    void EditXKeyUp(int& key, KeyModifiers modifiers);

  private:
    void CutX();
    void Copy();
    void PasteIntoX();

    Calculator& calc_;
    ClipboardPort& clipboard_;
    ClipboardExchange& exchange_;
    XEntry& entry_;
    std::function<void()> closeKeypad_;
};

}  // namespace rpn

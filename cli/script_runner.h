// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "cli/headless_window.h"
#include "engine/calculator.h"
#include "entry/clipboard_port.h"
#include "entry/entry_controller.h"

namespace rpn::cli {

// How one token went: done, a request to print X, or a problem worth a line of its own.
struct TokenResult {
    enum class Kind { Done, PrintX, Problem };
    Kind kind = Kind::Done;
    // For a problem: what went wrong, as the window would say it where it says anything.
    std::string problem;
};

// Runs a script's tokens on a calculator as the window's keys would: an entry is typed into X
// (a shown result lifted first, as by a digit), an operation runs as its button does. A
// number that follows a number still being typed is pushed first, as Enter would do between
// them. Every answer the window gives by a beep, a "Math Error" or a fault message becomes a
// problem; the calculator is then as the window leaves it after that key.
class ScriptRunner {
  public:
    explicit ScriptRunner(char decimalSeparator);

    Calculator& calculator() { return calc_; }
    const CalculatorState& state() const { return calc_.state(); }
    char decimalSeparator() const { return calc_.decimalSeparator(); }

    TokenResult Run(std::string_view token);
    // X as the next key would read it: an entry still being typed by its text, else the
    // register. An entry that does not read is 0, the X that its commit leaves.
    Register XValue() const;

  private:
    TokenResult RunOperation(Operation operation);
    TokenResult TypeEntry(std::string_view token);
    // A refusal, fault or math error of `operation`, whose X field read `xText`.
    TokenResult Failure(Operation operation, Outcome outcome, const std::string& xText) const;

    // A script has no clipboard: nothing it runs reads or writes one.
    class NoClipboard : public ClipboardPort {
      public:
        std::optional<std::string> Text() override { return std::nullopt; }
        void SetText(const std::string&) override {}
    };

    HeadlessWindow window_;
    Calculator calc_;
    NoClipboard clipboard_;
    EntryController entry_;
    // X holds an entry that a token typed and no operation has read yet.
    bool entryPending_ = false;
    // That entry does not read as a number (already reported).
    bool entryUnreadable_ = false;
    // Reused for every operation: X's text as the operation found it.
    std::string xTextBefore_;
};

}  // namespace rpn::cli

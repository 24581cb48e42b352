// SPDX-License-Identifier: GPL-3.0-or-later
// Random scripts, each token run by the script runner and, beside it, by the keys and buttons
// the window would get for it: after every token both calculators hold the same registers,
// bit for bit, and the same flags.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "cli/script_runner.h"
#include "cli/script_words.h"
#include "engine/operation_table.h"
#include "entry/control_characters.h"
#include "tests/entry/entry_fixture.h"

namespace rpn::testing {
namespace {

constexpr unsigned kSeed = 27;
constexpr int kScripts = 3000;
constexpr int kLongestScript = 30;

// Entries of every kind the X field meets: plain and signed numbers, ',' and exponents,
// results beyond the display's range, an infinite scale, an overflow and unreadable texts.
const std::vector<std::string> kEntries = {"0",
                                           "1",
                                           "2",
                                           "3",
                                           "7",
                                           "-3",
                                           "12.375",
                                           "2,5",
                                           ".5",
                                           "-.25",
                                           "90",
                                           "180",
                                           "45",
                                           "1e5",
                                           "1E-3",
                                           "1.5e3",
                                           "123456789012",
                                           "1e300",
                                           "1e4000",
                                           "-1e-20",
                                           "e5",
                                           "1e4933",
                                           "1e5200",
                                           "12x",
                                           "5.",
                                           "1,000.5",
                                           "1e",
                                           "+7",
                                           "3.14159265359"};
const std::vector<std::string> kUnknownWords = {"plus", "x", "E5x"};

bool SameBits(Register a, Register b) {
    return std::memcmp(&a, &b, 10) == 0;
}

class WindowDifferentialTest : public EntryTest {
  protected:
    void SetUp() override { InitialiseRegisterArithmetic(); }

    // The window's keys for one token: an operator or Enter typed into X, any other operation
    // by its button; an entry typed key by key (signs from the keypad, since a typed sign is
    // an operator key), after Enter when a number is still being typed.
    void WindowDoes(const std::string& token) {
        const std::optional<cli::ScriptWord> word = cli::FindScriptWord(token);
        if (!word) {
            if (std::find(kUnknownWords.begin(), kUnknownWords.end(), token) !=
                kUnknownWords.end()) {
                return;
            }
            if (numberBeingTyped_) {
                Keystroke(Key::Other, kEnter);
            }
            for (char c : token) {
                if (c == '-' || c == '+') {
                    entry.xEntry.TypeKey(c);
                } else {
                    Keystroke(Key::Other, c);
                }
            }
            numberBeingTyped_ = true;
            return;
        }
        switch (word->action) {
            case cli::WordAction::Degrees:
            case cli::WordAction::Radians:
                if (state().DegreesMode != (word->action == cli::WordAction::Degrees)) {
                    calc.Run(Operation::ToggleAngleMode);
                }
                return;
            case cli::WordAction::PrintX:
                return;
            case cli::WordAction::Operation:
                break;
        }
        switch (word->operation) {
            case Operation::Add:
                Keystroke(Key::Other, '+');
                break;
            case Operation::Subtract:
                Keystroke(Key::Other, '-');
                break;
            case Operation::Multiply:
                Keystroke(Key::Other, '*');
                break;
            case Operation::Divide:
                Keystroke(Key::Other, '/');
                break;
            case Operation::Enter:
                Keystroke(Key::Other, kEnter);
                break;
            case Operation::RollUp:
                Keystroke(Key::Up, 0);
                break;
            default:
                calc.Run(word->operation);
                break;
        }
        if (word->operation != Operation::ToggleAngleMode) {
            numberBeingTyped_ = false;
        }
    }

    bool numberBeingTyped_ = false;
};

std::vector<std::string> AllWords() {
    std::vector<std::string> words;
    for (const OperationRow& row : OperationRows()) {
        words.emplace_back(row.name);
    }
    for (const cli::OwnWord& own : cli::OwnWords()) {
        words.emplace_back(own.name);
    }
    return words;
}

TEST_F(WindowDifferentialTest, RandomScriptsLeaveTheRegistersTheWindowsKeysLeave) {
    const std::vector<std::string> words = AllWords();
    std::mt19937 random(kSeed);
    auto pick = [&random](const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
    };
    int tokensRun = 0;
    for (int script = 0; script < kScripts; ++script) {
        window = FakeWindow{};
        state() = CalculatorState{};
        calc.LoadRegisters(0, 0, 0, 0, 0);
        numberBeingTyped_ = false;
        cli::ScriptRunner runner('.');
        runner.calculator().LoadRegisters(0, 0, 0, 0, 0);
        const int length = std::uniform_int_distribution<int>(1, kLongestScript)(random);
        std::string sofar;
        for (int i = 0; i < length; ++i) {
            const int kind = std::uniform_int_distribution<int>(0, 19)(random);
            const std::string token = kind < 9    ? pick(kEntries)
                                      : kind < 19 ? pick(words)
                                                  : pick(kUnknownWords);
            sofar += token + " ";
            runner.Run(token);
            WindowDoes(token);
            ++tokensRun;
            const CalculatorState& got = runner.state();
            const CalculatorState& want = state();
            ASSERT_TRUE(SameBits(got.X, want.X) && SameBits(got.Y, want.Y) &&
                        SameBits(got.Z, want.Z) && SameBits(got.T, want.T) &&
                        SameBits(got.CommittedX, want.CommittedX) &&
                        SameBits(got.MemoryRegister, want.MemoryRegister) &&
                        got.StackLift == want.StackLift && got.DegreesMode == want.DegreesMode)
                << "script " << script << ": " << sofar << "\n runner X " << got.X << " Y " << got.Y
                << " Z " << got.Z << " T " << got.T << " lift " << got.StackLift << "\n window X "
                << want.X << " Y " << want.Y << " Z " << want.Z << " T " << want.T << " lift "
                << want.StackLift << " text '" << xText() << "'";
        }
    }
    EXPECT_GT(tokensRun, kScripts);
}

}  // namespace
}  // namespace rpn::testing

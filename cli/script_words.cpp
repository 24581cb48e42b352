// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/script_words.h"

#include <array>
#include <vector>

#include "engine/operation_table.h"

namespace rpn::cli {

namespace {

struct OwnWordAction {
    OwnWord word;
    ScriptWord does;
};

constexpr std::array kOwnWords = {
    OwnWordAction{{"swap", "the same as x<>y"}, {WordAction::Operation, Operation::SwapXY}},
    OwnWordAction{{"deg", "angles in degrees from here on"}, {WordAction::Degrees}},
    OwnWordAction{{"rad", "angles in radians from here on"}, {WordAction::Radians}},
    OwnWordAction{{"p", "print X now"}, {WordAction::PrintX}},
};

constexpr std::array kOwnWordList = [] {
    std::array<OwnWord, kOwnWords.size()> words{};
    for (std::size_t i = 0; i < kOwnWords.size(); ++i) {
        words[i] = kOwnWords[i].word;
    }
    return words;
}();

}  // namespace

std::optional<ScriptWord> FindScriptWord(std::string_view token) {
    // The names measured once: a script may look up a million tokens.
    static const std::vector<std::string_view> kNames = [] {
        std::vector<std::string_view> names;
        for (const OperationRow& row : OperationRows()) {
            names.emplace_back(row.name);
        }
        return names;
    }();
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (token == kNames[i]) {
            return ScriptWord{WordAction::Operation, OperationRows()[i].operation};
        }
    }
    for (const OwnWordAction& own : kOwnWords) {
        if (token == own.word.name) {
            return own.does;
        }
    }
    return std::nullopt;
}

std::span<const OwnWord> OwnWords() {
    return kOwnWordList;
}

}  // namespace rpn::cli

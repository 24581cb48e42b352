// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "engine/operation.h"

namespace rpn::cli {

// What a word of a script does: run an operation as its button does, put the angle mode in
// degrees or radians (the deg/rad button, when the mode is the other one), or print X.
enum class WordAction { Operation, Degrees, Radians, PrintX };

struct ScriptWord {
    WordAction action = WordAction::Operation;
    Operation operation = Operation::Add;
};

// The word that `token` names: an operation by its name in the engine's table, or one of the
// script's own words. Nullopt for anything else, which is then an entry for X.
std::optional<ScriptWord> FindScriptWord(std::string_view token);

// The script's own words beside the operations' names, with what each does, for the help.
struct OwnWord {
    const char* name;
    const char* meaning;
};
std::span<const OwnWord> OwnWords();

}  // namespace rpn::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <variant>

#include "engine/operation.h"
#include "engine/outcome.h"
#include "engine/register.h"

namespace rpn {

class Calculator;

// What an operation works on; the rule's type follows from it.
enum class Shape { Binary, Unary, Scientific, Stack, Memory, Mode };

// How an operation meets an entry still being typed in X.
enum class Guard {
    // The entry is not read.
    None,
    // An unreadable entry stops the operation.
    CommitXFirst,
    // An unreadable entry is answered and then taken as 0.
    CommitXAndGoOn,
};

// Y op X: the stack drops onto the result.
using BinaryRule = Register (*)(Register y, Register x);
// f(X): the stack stays.
using UnaryRule = Register (*)(Register x);
// f(X) in the angle mode: a fault in it is a math error that leaves the entry to be corrected.
using AngleRule = Register (*)(Register x, bool degreesMode);
// Anything else the calculator does with its registers and flags.
using Transition = Outcome (Calculator::*)();

using Rule = std::variant<BinaryRule, UnaryRule, AngleRule, Transition>;

struct OperationRow {
    Operation operation;
    Shape shape;
    Guard guard;
    Rule rule;
    // The word that names the operation wherever it is written rather than clicked: the help's
    // key list, the manual page and the command line's tokens.
    const char* name;
};

// Every operation's row, in the order of the enumeration, so that an operation is its index.
std::span<const OperationRow> OperationRows();
const OperationRow& RowOf(Operation operation);

}  // namespace rpn

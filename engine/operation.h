// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rpn {

// Everything a button of the calculator can ask the engine to do; Calculator::Run runs one.
enum class Operation {
    Add,
    Subtract,
    Multiply,
    Divide,
    Power,
    Reciprocal,
    Square,
    SquareRoot,
    ChangeSign,
    ClearX,
    ClearAll,
    RollDown,
    RollUp,
    SwapXY,
    Enter,
    Store,
    Recall,
    Sine,
    Cosine,
    Tangent,
    ArcSine,
    ArcCosine,
    ArcTangent,
    Log10,
    TenToX,
    NaturalLog,
    NaturalExp,
    DegreesToRadians,
    RadiansToDegrees,
    ToggleAngleMode,
};

// Keep this the last of the operations: the engine has one row for each up to it.
inline constexpr Operation kLastOperation = Operation::ToggleAngleMode;
inline constexpr int kOperationCount = static_cast<int>(kLastOperation) + 1;

}  // namespace rpn

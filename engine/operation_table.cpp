// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/operation_table.h"

#include <array>

#include "engine/calculator.h"
#include "engine/exponential.h"
#include "engine/scientific_rules.h"
#include "engine/x87.h"

namespace rpn {

namespace {

Register SquareOf(Register x) {
    return x87::Multiply(x, x);
}

}  // namespace

std::span<const OperationRow> OperationRows() {
    using enum Operation;
    using C = Calculator;
    constexpr Guard kCommit = Guard::CommitXFirst;
    static constexpr std::array<OperationRow, kOperationCount> kRows = {{
        {Add, Shape::Binary, kCommit, BinaryRule{x87::Add}},
        {Subtract, Shape::Binary, kCommit, BinaryRule{x87::Subtract}},
        {Multiply, Shape::Binary, kCommit, BinaryRule{x87::Multiply}},
        {Divide, Shape::Binary, kCommit, &C::Divide},
        {Power, Shape::Binary, kCommit, &C::Power},
        {Reciprocal, Shape::Unary, kCommit, &C::Reciprocal},
        {Square, Shape::Unary, kCommit, UnaryRule{SquareOf}},
        {SquareRoot, Shape::Unary, kCommit, &C::SquareRoot},
        {ChangeSign, Shape::Unary, kCommit, &C::ChangeSign},
        {ClearX, Shape::Stack, Guard::None, &C::ClearX},
        {ClearAll, Shape::Stack, Guard::None, &C::ClearAll},
        {RollDown, Shape::Stack, kCommit, &C::RollDown},
        {RollUp, Shape::Stack, kCommit, &C::RollUp},
        {SwapXY, Shape::Stack, kCommit, &C::SwapXY},
        {Enter, Shape::Stack, kCommit, &C::Enter},
        {Store, Shape::Memory, kCommit, &C::Store},
        {Recall, Shape::Memory, Guard::CommitXAndGoOn, &C::Recall},
        {Sine, Shape::Scientific, kCommit, AngleRule{SineRule}},
        {Cosine, Shape::Scientific, kCommit, AngleRule{CosineRule}},
        {Tangent, Shape::Scientific, kCommit, AngleRule{TangentRule}},
        {ArcSine, Shape::Scientific, kCommit, AngleRule{ArcSineRule}},
        {ArcCosine, Shape::Scientific, kCommit, AngleRule{ArcCosineRule}},
        {ArcTangent, Shape::Scientific, kCommit, AngleRule{ArcTangentRule}},
        {Log10, Shape::Scientific, kCommit, AngleRule{Log10Rule}},
        {TenToX, Shape::Scientific, kCommit, AngleRule{TenToXRule}},
        {NaturalLog, Shape::Scientific, kCommit, AngleRule{NaturalLogRule}},
        {NaturalExp, Shape::Scientific, kCommit, AngleRule{NaturalExpRule}},
        // The conversions are plain unary operations: whatever the angle mode, and a fault
        // goes out as a fault rather than a math error.
        {DegreesToRadians, Shape::Unary, kCommit, UnaryRule{rpn::DegreesToRadians}},
        {RadiansToDegrees, Shape::Unary, kCommit, UnaryRule{rpn::RadiansToDegrees}},
        {ToggleAngleMode, Shape::Mode, Guard::None, &C::ToggleAngleMode},
    }};
    static_assert(
        [] {
            for (std::size_t i = 0; i < kRows.size(); ++i) {
                if (static_cast<std::size_t>(kRows[i].operation) != i) {
                    return false;
                }
            }
            return true;
        }(),
        "each operation's row stands at the operation's own index");
    return kRows;
}

const OperationRow& RowOf(Operation operation) {
    return OperationRows()[static_cast<std::size_t>(operation)];
}

}  // namespace rpn

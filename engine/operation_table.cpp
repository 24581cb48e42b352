// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/operation_table.h"

#include <array>
#include <string_view>

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
        {Add, Shape::Binary, kCommit, BinaryRule{x87::Add}, "+"},
        {Subtract, Shape::Binary, kCommit, BinaryRule{x87::Subtract}, "-"},
        {Multiply, Shape::Binary, kCommit, BinaryRule{x87::Multiply}, "*"},
        {Divide, Shape::Binary, kCommit, &C::Divide, "/"},
        {Power, Shape::Binary, kCommit, &C::Power, "^"},
        {Reciprocal, Shape::Unary, kCommit, &C::Reciprocal, "recip"},
        {Square, Shape::Unary, kCommit, UnaryRule{SquareOf}, "sq"},
        {SquareRoot, Shape::Unary, kCommit, &C::SquareRoot, "sqrt"},
        {ChangeSign, Shape::Unary, kCommit, &C::ChangeSign, "chs"},
        {ClearX, Shape::Stack, Guard::None, &C::ClearX, "cx"},
        {ClearAll, Shape::Stack, Guard::None, &C::ClearAll, "ca"},
        {RollDown, Shape::Stack, kCommit, &C::RollDown, "rolldown"},
        {RollUp, Shape::Stack, kCommit, &C::RollUp, "rollup"},
        {SwapXY, Shape::Stack, kCommit, &C::SwapXY, "x<>y"},
        {Enter, Shape::Stack, kCommit, &C::Enter, "enter"},
        {Store, Shape::Memory, kCommit, &C::Store, "sto"},
        {Recall, Shape::Memory, Guard::CommitXAndGoOn, &C::Recall, "rcl"},
        {Sine, Shape::Scientific, kCommit, AngleRule{SineRule}, "sin"},
        {Cosine, Shape::Scientific, kCommit, AngleRule{CosineRule}, "cos"},
        {Tangent, Shape::Scientific, kCommit, AngleRule{TangentRule}, "tan"},
        {ArcSine, Shape::Scientific, kCommit, AngleRule{ArcSineRule}, "asin"},
        {ArcCosine, Shape::Scientific, kCommit, AngleRule{ArcCosineRule}, "acos"},
        {ArcTangent, Shape::Scientific, kCommit, AngleRule{ArcTangentRule}, "atan"},
        {Log10, Shape::Scientific, kCommit, AngleRule{Log10Rule}, "log"},
        {TenToX, Shape::Scientific, kCommit, AngleRule{TenToXRule}, "10^x"},
        {NaturalLog, Shape::Scientific, kCommit, AngleRule{NaturalLogRule}, "ln"},
        {NaturalExp, Shape::Scientific, kCommit, AngleRule{NaturalExpRule}, "e^x"},
        // The conversions are plain unary operations: whatever the angle mode, and a fault
        // goes out as a fault rather than a math error.
        {DegreesToRadians, Shape::Unary, kCommit, UnaryRule{rpn::DegreesToRadians}, "d>r"},
        {RadiansToDegrees, Shape::Unary, kCommit, UnaryRule{rpn::RadiansToDegrees}, "r>d"},
        {ToggleAngleMode, Shape::Mode, Guard::None, &C::ToggleAngleMode, "deg/rad"},
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
    static_assert(
        [] {
            for (std::size_t i = 0; i < kRows.size(); ++i) {
                for (std::size_t j = 0; j < i; ++j) {
                    if (std::string_view(kRows[i].name) == kRows[j].name) {
                        return false;
                    }
                }
            }
            return true;
        }(),
        "a name stands for one operation");
    return kRows;
}

const OperationRow& RowOf(Operation operation) {
    return OperationRows()[static_cast<std::size_t>(operation)];
}

}  // namespace rpn

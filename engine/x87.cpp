// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/x87.h"

#include "engine/arithmetic_fault.h"

namespace rpn::x87 {

namespace {

// Status word bits.
constexpr unsigned short kInvalid = 0x0001;  // also set on a register stack fault
constexpr unsigned short kZeroDivide = 0x0004;
constexpr unsigned short kOverflow = 0x0008;
constexpr unsigned short kOutOfRange = 0x0400;  // C2 after fsin and fcos

void RaiseOnFault(unsigned short status) {
    if (status & kInvalid) {
        throw ArithmeticFault(FaultKind::InvalidOperation);
    }
    if (status & kZeroDivide) {
        throw ArithmeticFault(FaultKind::DivisionByZero);
    }
    if (status & kOverflow) {
        throw ArithmeticFault(FaultKind::Overflow);
    }
}

}  // namespace

// Operands reach the unit through memory, so every block pushes onto an empty stack and
// declares the slots it uses as clobbered; `first` ends in st(0) and `second` in st(1), and
// each instruction is written with st(0) as destination so that the AT&T spelling of the
// reversed forms cannot swap the operands. `tail` empties what the instruction left behind
// after its result has been stored.
#define RPN_X87_TWO_OPERAND_STEP(instruction, tail, first, second) \
    Register result;                                               \
    unsigned short status;                                         \
    asm volatile(                                                  \
        "fldt %[b]\n\t"                                            \
        "fldt %[a]\n\t"                                            \
        "fnclex\n\t" instruction                                   \
        "\n\t"                                                     \
        "fnstsw %[status]\n\t"                                     \
        "fstpt %[result]" tail                                     \
        : [result] "=m"(result), [status] "=m"(status)             \
        : [a] "m"(first), [b] "m"(second)                          \
        : "st", "st(1)");                                          \
    RaiseOnFault(status);                                          \
    return result

// Both operands stay on the stack: pop the second after storing the result.
#define RPN_X87_BINARY_STEP(instruction, first, second) \
    RPN_X87_TWO_OPERAND_STEP(instruction, "\n\tfstp %%st(0)", first, second)

// For the instructions that pop st(0) and leave their result in the old st(1).
#define RPN_X87_POPPING_STEP(instruction, first, second) \
    RPN_X87_TWO_OPERAND_STEP(instruction, "", first, second)

#define RPN_X87_UNARY_STEP(instruction, operand)       \
    Register result;                                   \
    unsigned short status;                             \
    asm volatile(                                      \
        "fldt %[x]\n\t"                                \
        "fnclex\n\t" instruction                       \
        "\n\t"                                         \
        "fnstsw %[status]\n\t"                         \
        "fstpt %[result]"                              \
        : [result] "=m"(result), [status] "=m"(status) \
        : [x] "m"(operand)                             \
        : "st");                                       \
    RaiseOnFault(status)

__attribute__((noinline)) Register Add(Register a, Register b) {
    RPN_X87_BINARY_STEP("fadd %%st(1), %%st", a, b);
}

__attribute__((noinline)) Register Subtract(Register a, Register b) {
    RPN_X87_BINARY_STEP("fsub %%st(1), %%st", a, b);
}

__attribute__((noinline)) Register Multiply(Register a, Register b) {
    RPN_X87_BINARY_STEP("fmul %%st(1), %%st", a, b);
}

__attribute__((noinline)) Register Divide(Register a, Register b) {
    RPN_X87_BINARY_STEP("fdiv %%st(1), %%st", a, b);
}

__attribute__((noinline)) Register Scale(Register x, Register n) {
    RPN_X87_BINARY_STEP("fscale", x, n);
}

__attribute__((noinline)) Register ScaledLog2(Register y, Register x) {
    // st(1) * log2(st(0)), popped into st(0).
    RPN_X87_POPPING_STEP("fyl2x", x, y);
}

__attribute__((noinline)) Register ArcTangent2(Register y, Register x) {
    // arctan(st(1) / st(0)), popped into st(0).
    RPN_X87_POPPING_STEP("fpatan", x, y);
}

__attribute__((noinline)) Register TwoToPowerMinusOne(Register f) {
    RPN_X87_UNARY_STEP("f2xm1", f);
    return result;
}

__attribute__((noinline)) Register RoundToInteger(Register x) {
    RPN_X87_UNARY_STEP("frndint", x);
    return result;
}

__attribute__((noinline)) Register SquareRoot(Register x) {
    RPN_X87_UNARY_STEP("fsqrt", x);
    return result;
}

// Out of range, fsin and fcos leave the operand untouched and only set C2.
__attribute__((noinline)) Register Sine(Register x) {
    RPN_X87_UNARY_STEP("fsin", x);
    return (status & kOutOfRange) ? 0.0L : result;
}

__attribute__((noinline)) Register Cosine(Register x) {
    RPN_X87_UNARY_STEP("fcos", x);
    return (status & kOutOfRange) ? 0.0L : result;
}

#undef RPN_X87_BINARY_STEP
#undef RPN_X87_POPPING_STEP
#undef RPN_X87_UNARY_STEP

}  // namespace rpn::x87

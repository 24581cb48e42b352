// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "engine/arithmetic_fault.h"
#include "engine/number_text.h"

namespace rpn {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Exponent digits beyond this bound no longer change the result (any decimal scale of 5120
// or more is infinite, -5120 or less is zero), so the exponent stops growing here instead of
// overflowing. The bound also stays far above any count of fraction digits a text can hold.
constexpr int64_t kExponentCeiling = int64_t{1} << 52;

int32_t ClampToInt32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// v := v × 10 + digit, each step rounded to register precision. Only a mantissa of more
// than 4932 digits can reach the end of the range here; from there on a digit no longer
// fits, and it is counted instead so that it still scales the value by ten (a long entry
// such as 0.1234... is read as its value, not refused as an overflow). Returns false for a
// digit that did not fit.
bool AppendDigit(Register& v, char digit) {
    const Register next = v * 10 + (digit - '0');
    if (std::isinf(next)) {
        return false;
    }
    v = next;
    return true;
}

ParseResult FailAt(size_t index) {
    ParseResult result;
    result.failurePosition = ClampToInt32(static_cast<int64_t>(index) + 1);
    return result;
}

}  // namespace

std::string CommaToPoint(std::string_view text) {
    std::string result(text);
    std::replace(result.begin(), result.end(), ',', '.');
    return result;
}

ParseResult ParseEntry(std::string_view text) {
    const size_t length = text.size();
    size_t i = 0;
    if (length == 0) {
        return FailAt(0);
    }
    while (i < length && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == length) {
        return FailAt(length);
    }

    Register v = 0;
    int64_t droppedDigits = 0;
    while (i < length && IsDigit(text[i])) {
        droppedDigits += AppendDigit(v, text[i++]) ? 0 : 1;
    }
    int64_t fractionDigits = 0;
    if (i < length && text[i] == '.') {
        ++i;
        if (i == length) {
            return FailAt(length);
        }
        while (i < length && IsDigit(text[i])) {
            droppedDigits += AppendDigit(v, text[i++]) ? 0 : 1;
            ++fractionDigits;
        }
    }

    int64_t exponent = 0;
    if (i < length) {
        if (text[i] != 'E' && text[i] != 'e') {
            return FailAt(i);
        }
        ++i;
        bool negativeExponent = false;
        if (i < length && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        if (i == length || !IsDigit(text[i])) {
            return FailAt(i);
        }
        while (i < length && IsDigit(text[i])) {
            exponent = std::min(exponent * 10 + (text[i++] - '0'), kExponentCeiling);
        }
        if (i < length) {
            return FailAt(i);
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }

    ParseResult result;
    result.value = MultiplyByPowerOfTen(v, ClampToInt32(exponent - fractionDigits + droppedDigits));
    if (negative) {
        result.value = -result.value;
    }
    return result;
}

}  // namespace rpn

// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "engine/number_text.h"
#include "engine/x87.h"

namespace rpn {
namespace {

// The register value of "2e-9"; magnitudes at or below it take the scientific form.
constexpr Register kLowerScientificBound = 0x89705F4136B4A597P-92L;
// Magnitudes at or above it would need more integer digits than the field shows.
constexpr Register kUpperScientificBound = 2000000000.0L;

constexpr int kFixedDigits = 12;
// Both forms work from the value rounded to this many decimal digits.
constexpr int kWorkingDigits = 18;
constexpr Register kWorkingLimit = 1e18L;

// floor(b × log10 2) for a binary exponent b, with log10 2 taken as 19728/65536. Rounds
// toward minus infinity: truncating division would misplace every value below 1.
int DecimalExponentOfBinary(int b) {
    const int scaled = b * 19728;
    return scaled >= 0 ? scaled / 65536 : -((-scaled + 65535) / 65536);
}

// To nearest, ties to even, as the register's control word rounds: one x87 instruction, where
// the library's nearbyint saves and restores the whole floating-point environment around it
// and cost the command line a quarter of its time. The values here are finite and far below
// any overflow, so the step never faults.
Register RoundToNearest(Register x) {
    return x87::RoundToInteger(x);
}

// The binary exponent b of a finite non-zero value, with value = m × 2^b and 1 <= m < 2,
// denormals included.
int BinaryExponent(Register a) {
    // Read from the register's bits: the library's ilogb classifies the value in a call of its
    // own, and every shown register needs this at least once.
    unsigned char bytes[10];
    std::memcpy(bytes, &a, sizeof bytes);
    const int field = ((bytes[9] & 0x7F) << 8) | bytes[8];
    if (field != 0) {
        return field - 16383;
    }
    // A denormal: the significand's leading one sets the exponent.
    uint64_t significand = 0;
    std::memcpy(&significand, bytes, sizeof significand);
    return -16382 - std::countl_zero(significand);
}

// The decimal digits of an integral value below 10^19, with leading zeros up to
// `minimumLength`.
std::string IntegerDigits(Register integral, size_t minimumLength) {
    std::string digits = std::to_string(static_cast<unsigned long long>(integral));
    if (digits.size() < minimumLength) {
        digits.insert(0, minimumLength - digits.size(), '0');
    }
    return digits;
}

// Adds one to the last of the first `keep` digits, carrying leftward, and drops the rest.
// Returns false when the carry runs out of the first digit (all kept digits were nines).
bool RoundUpAt(std::string& digits, size_t keep) {
    size_t i = keep;
    while (i > 0 && digits[i - 1] == '9') {
        --i;
    }
    if (i == 0) {
        return false;
    }
    ++digits[i - 1];
    digits.resize(i);
    return true;
}

std::string PadLeft(std::string text, int width) {
    if (static_cast<int>(text.size()) < width) {
        text.insert(0, width - text.size(), ' ');
    }
    return text;
}

}  // namespace

std::string FormatScientific(Register x, int width) {
    const int n = std::clamp(width - 8, 2, 18);
    if (std::isinf(x)) {
        return PadLeft(x > 0 ? "+Inf" : "-Inf", width);
    }
    if (std::isnan(x)) {
        return PadLeft("NaN", width);
    }

    Register a = std::fabs(x);
    int exponent = 0;
    while (a != 0) {
        const int k = DecimalExponentOfBinary(BinaryExponent(a));
        if (k == 0) {
            break;
        }
        a = MultiplyByPowerOfTen(a, -k);
        exponent += k;
    }

    std::string digits(kWorkingDigits, '0');
    if (a != 0) {
        digits = IntegerDigits(RoundToNearest(a * 1e17L), kWorkingDigits);
        if (digits.size() > static_cast<size_t>(kWorkingDigits)) {
            ++exponent;
        }
    }
    // Half-up on the decimal digits, whether there are 18 or 19 of them.
    const size_t keep = static_cast<size_t>(n);
    if (keep < digits.size() && digits[keep] >= '5') {
        if (!RoundUpAt(digits, keep)) {
            digits = "1";
            ++exponent;
        }
    }
    digits.resize(keep, '0');

    std::string text(std::max(width - n - 8, 0), ' ');
    text += std::signbit(x) ? '-' : ' ';
    text += digits[0];
    text += '.';
    text.append(digits, 1, std::string::npos);
    text += 'E';
    text += exponent >= 0 ? '+' : '-';
    const std::string magnitude = std::to_string(exponent >= 0 ? exponent : -exponent);
    text.append(magnitude.size() < 4 ? 4 - magnitude.size() : 0, '0');
    text += magnitude;
    return text;
}

std::string FormatFixed(Register x, int precision, int decimals, char decimalSeparator) {
    precision = std::clamp(precision, 2, 18);
    decimals = std::clamp(decimals, 0, 18);
    // No fixed text exists for these; the scientific one is the closest honest answer.
    if (!std::isfinite(x)) {
        return FormatScientific(x, 0);
    }

    std::string digits;
    int exponent = 0;
    bool negative = false;
    // A denormal is too small for any fixed text and is written as zero.
    if (std::isnormal(x)) {
        negative = std::signbit(x);
        const Register magnitude = std::fabs(x);
        exponent = DecimalExponentOfBinary(BinaryExponent(magnitude)) + 1;
        Register scaled =
            RoundToNearest(MultiplyByPowerOfTen(magnitude, kWorkingDigits - exponent));
        if (scaled >= kWorkingLimit) {
            scaled = RoundToNearest(scaled / 10);
            ++exponent;
        }
        digits = IntegerDigits(scaled, kWorkingDigits);
    }

    int keep = exponent + decimals;
    if (keep < 0) {
        digits.clear();
        exponent = 0;
        negative = false;
    } else {
        keep = std::min({keep, precision, kWorkingDigits});
        const size_t kept = static_cast<size_t>(keep);
        if (kept < digits.size() && digits[kept] >= '5') {
            if (!RoundUpAt(digits, kept)) {
                digits = "1";
                ++exponent;
            }
        } else if (kept < digits.size()) {
            digits.resize(kept);
        }
        while (!digits.empty() && digits.back() == '0') {
            digits.pop_back();
        }
    }

    size_t next = 0;
    auto nextDigit = [&]() { return next < digits.size() ? digits[next++] : '0'; };
    std::string text = negative ? "-" : "";
    if (exponent <= 0) {
        text += '0';
    } else {
        for (int i = 0; i < exponent; ++i) {
            text += nextDigit();
        }
    }
    if (decimals > 0) {
        text += decimalSeparator;
        const int zeros = exponent < 0 ? std::min(-exponent, decimals) : 0;
        text.append(zeros, '0');
        for (int i = zeros; i < decimals; ++i) {
            text += nextDigit();
        }
    }
    return text;
}

std::string FormatRegister(Register x, int width, char decimalSeparator) {
    if (x == 0) {
        return "0";
    }
    const Register magnitude = std::fabs(x);
    // Written so that a NaN, which compares false, also takes the scientific form.
    if (!(magnitude > kLowerScientificBound && magnitude < kUpperScientificBound)) {
        std::string text = FormatScientific(x, width);
        if (!text.empty() && text[0] == ' ') {
            text.erase(0, 1);
        }
        return text;
    }
    if (x - std::trunc(x) == 0) {
        return std::to_string(static_cast<long long>(x));
    }

    std::string text = FormatFixed(x, kFixedDigits, kFixedDigits, decimalSeparator);
    size_t separator = text.find('.');
    if (separator == std::string::npos) {
        separator = text.find(',');
    }
    // 1-based; 0 when the separator is neither '.' nor ','.
    const size_t p = separator == std::string::npos ? 0 : separator + 1;
    const size_t w = static_cast<size_t>(std::max(width, 0));
    // A cut, not a rounding; it counts the minus sign.
    if (p < w) {
        text.resize(std::min(text.size(), w));
    } else {
        text.resize(p - 1);
    }
    if (p != 0) {
        while (text.size() > p && text.back() == '0') {
            text.pop_back();
        }
        if (text.size() == p) {
            text.pop_back();
        }
    }
    if (!text.empty() && text[0] == '0') {
        text.erase(0, 1);
    }
    if (text.size() >= 2 && text[0] == '-' && text[1] == '0') {
        text.erase(1, 1);
    }
    return text;
}

}  // namespace rpn

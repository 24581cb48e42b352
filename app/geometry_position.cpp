// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/geometry_position.h"

#include <cctype>

namespace rpn {
namespace {

// An offset or a length has one to nine digits: it stays far inside an int.
constexpr std::size_t kMostDigits = 9;

// Reads the digits at the front of `text`, taking them off it; none when there are none or
// too many.
std::optional<int> TakeNumber(std::string_view& text) {
    std::size_t digits = 0;
    int value = 0;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) {
        if (digits == kMostDigits) {
            return std::nullopt;
        }
        value = value * 10 + (text[digits] - '0');
        ++digits;
    }
    if (digits == 0) {
        return std::nullopt;
    }
    text.remove_prefix(digits);
    return value;
}

bool TakeSign(std::string_view& text, char sign) {
    if (text.empty() || text.front() != sign) {
        return false;
    }
    text.remove_prefix(1);
    return true;
}

// An offset with its sign: "+N" from the near edge, "-N" from the far one.
struct Offset {
    int value;
    bool fromFar;
};

std::optional<Offset> TakeOffset(std::string_view& text) {
    if (text.empty() || (text.front() != '+' && text.front() != '-')) {
        return std::nullopt;
    }
    const bool fromFar = text.front() == '-';
    text.remove_prefix(1);
    const std::optional<int> value = TakeNumber(text);
    if (!value) {
        return std::nullopt;
    }
    return Offset{*value, fromFar};
}

}  // namespace

std::optional<desktop::GeometryPlace> GeometryPosition(std::string_view geometry) {
    // The size part, when there is one, goes to the toolkit; the window's size is its own.
    if (!geometry.empty() && geometry.front() != '+' && geometry.front() != '-') {
        if (!TakeNumber(geometry) || !TakeSign(geometry, 'x') || !TakeNumber(geometry)) {
            return std::nullopt;
        }
    }
    const std::optional<Offset> x = TakeOffset(geometry);
    const std::optional<Offset> y = x ? TakeOffset(geometry) : std::nullopt;
    if (!x || !y || !geometry.empty()) {
        return std::nullopt;
    }
    return desktop::GeometryPlace{x->value, x->fromFar, y->value, y->fromFar};
}

}  // namespace rpn

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

}  // namespace

std::optional<WindowPosition> GeometryPosition(std::string_view geometry) {
    // The size part, when there is one, goes to the toolkit; the window's size is its own.
    if (!geometry.empty() && geometry.front() != '+') {
        if (!TakeNumber(geometry) || !TakeSign(geometry, 'x') || !TakeNumber(geometry)) {
            return std::nullopt;
        }
    }
    if (!TakeSign(geometry, '+')) {
        return std::nullopt;
    }
    const std::optional<int> left = TakeNumber(geometry);
    if (!left || !TakeSign(geometry, '+')) {
        return std::nullopt;
    }
    const std::optional<int> top = TakeNumber(geometry);
    if (!top || !geometry.empty()) {
        return std::nullopt;
    }
    return WindowPosition{*top, *left};
}

}  // namespace rpn

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/geometry_position.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace rpn {
namespace {

struct GeometryCase {
    std::string_view geometry;
    // Left and top of the frame; none when the geometry places nothing.
    std::optional<std::pair<int, int>> place;
};

constexpr GeometryCase kCases[] = {
    {"+10+20", std::pair{10, 20}},
    {"522x311+0+0", std::pair{0, 0}},
    {"+999999999+1", std::pair{999999999, 1}},
    // No position, or one that this calculator does not honour.
    {"", std::nullopt},
    {"522x311", std::nullopt},
    {"-10+20", std::nullopt},
    {"+10-20", std::nullopt},
    {"+-10+20", std::nullopt},
    // Malformed: every part has digits, nothing follows, no part runs beyond nine digits.
    {"+10", std::nullopt},
    {"+10+", std::nullopt},
    {"++10+20", std::nullopt},
    {"+10+20x", std::nullopt},
    {"+10+20 ", std::nullopt},
    {"x311+10+20", std::nullopt},
    {"522x+10+20", std::nullopt},
    {"522+10+20", std::nullopt},
    {"+1000000000+20", std::nullopt},
    {"+10+99999999999999999999", std::nullopt},
    {"+１0+20", std::nullopt},
};

TEST(GeometryPosition, PlacesTheFrameOnlyForAnOffsetFromTheTopLeft) {
    for (const GeometryCase& c : kCases) {
        SCOPED_TRACE(c.geometry);
        const std::optional<WindowPosition> position = GeometryPosition(c.geometry);
        ASSERT_EQ(position.has_value(), c.place.has_value());
        if (position) {
            EXPECT_EQ(position->left, c.place->first);
            EXPECT_EQ(position->top, c.place->second);
        }
    }
}

}  // namespace
}  // namespace rpn

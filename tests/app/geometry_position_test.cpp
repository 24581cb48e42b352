// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/geometry_position.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string_view>

namespace rpn::desktop {

// A failed case shows the place as its geometry would write it.
void PrintTo(const GeometryPlace& place, std::ostream* out) {
    *out << (place.fromRight ? '-' : '+') << place.x << (place.fromBottom ? '-' : '+') << place.y;
}

}  // namespace rpn::desktop

namespace rpn {
namespace {

using desktop::GeometryPlace;

struct GeometryCase {
    std::string_view geometry;
    // None when the geometry places nothing.
    std::optional<GeometryPlace> place;
};

const GeometryCase kCases[] = {
    {"+10+20", GeometryPlace{10, false, 20, false}},
    {"522x311+0+0", GeometryPlace{0, false, 0, false}},
    {"+999999999+1", GeometryPlace{999999999, false, 1, false}},
    // Offsets from the right and bottom edges.
    {"-10+20", GeometryPlace{10, true, 20, false}},
    {"+10-20", GeometryPlace{10, false, 20, true}},
    {"-0-0", GeometryPlace{0, true, 0, true}},
    {"522x311-5-7", GeometryPlace{5, true, 7, true}},
    // No position.
    {"", std::nullopt},
    {"522x311", std::nullopt},
    // Malformed: every part has digits, nothing follows, no part runs beyond nine digits.
    {"+-10+20", std::nullopt},
    {"--10+20", std::nullopt},
    {"+10", std::nullopt},
    {"-10", std::nullopt},
    {"+10+", std::nullopt},
    {"++10+20", std::nullopt},
    {"+10+20x", std::nullopt},
    {"+10+20 ", std::nullopt},
    {"x311+10+20", std::nullopt},
    {"522x+10+20", std::nullopt},
    {"522+10+20", std::nullopt},
    {"+1000000000+20", std::nullopt},
    {"+10-99999999999999999999", std::nullopt},
    {"+１0+20", std::nullopt},
};

TEST(GeometryPosition, ReadsEachOffsetFromItsEdge) {
    for (const GeometryCase& c : kCases) {
        SCOPED_TRACE(c.geometry);
        EXPECT_EQ(GeometryPosition(c.geometry), c.place);
    }
}

}  // namespace
}  // namespace rpn

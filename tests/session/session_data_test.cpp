// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/session_data.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace rpn {
namespace {

TEST(SessionDataTest, WritesNineLinesThatReadBackWhole) {
    InitialiseRegisterArithmetic();
    const SessionData data{.x = 1.5L,
                           .y = -2,
                           .z = 0,
                           .t = 1e300L,
                           .window = {100, -200},
                           .memory = 0.25L,
                           .keypad = {277, 69}};
    std::ostringstream out;
    data.Write(out);
    EXPECT_EQ(out.str(),
              " 1.50000000000000E+0000\r\n-2.00000000000000E+0000\r\n 0.00000000000000E+0000\r\n"
              " 1.00000000000000E+0300\r\n100\r\n-200\r\n 2.50000000000000E-0001\r\n277\r\n69\r\n");

    std::istringstream in(out.str());
    const SessionRead read = SessionData::Read(in);
    EXPECT_TRUE(read.complete);
    EXPECT_TRUE(read.hasWindow && read.hasMemory && read.hasKeypadTop && read.hasKeypadLeft);
    EXPECT_EQ(read.data.x, data.x);
    EXPECT_EQ(read.data.y, data.y);
    EXPECT_EQ(read.data.z, data.z);
    EXPECT_EQ(read.data.t, data.t);
    EXPECT_EQ(read.data.window, data.window);
    EXPECT_EQ(read.data.memory, data.memory);
    EXPECT_EQ(read.data.keypad, data.keypad);
}

// A failing line ends the reading: the parts before it are given, the stack is not.
TEST(SessionDataTest, ReadStopsAtTheFirstLineThatDoesNotConvert) {
    const struct {
        const char* name;
        const char* bytes;
        bool window, memory, keypadTop;
    } cases[] = {
        {"register", "1\r\nx\r\n3\r\n4\r\n100\r\n200\r\n9\r\n277\r\n69\r\n", false, false, false},
        {"memory", "1\r\n2\r\n3\r\n4\r\n100\r\n200\r\n1e4933\r\n", false, false, false},
        {"keypad top", "1\r\n2\r\n3\r\n4\r\n100\r\n200\r\n9\r\nxx\r\n69\r\n", true, true, false},
        {"keypad left", "1\r\n2\r\n3\r\n4\r\n100\r\n200\r\n9\r\n277\r\n6,9\r\n", true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::istringstream in(c.bytes);
        const SessionRead read = SessionData::Read(in);
        EXPECT_FALSE(read.complete);
        EXPECT_EQ(read.hasWindow, c.window);
        EXPECT_EQ(read.hasMemory, c.memory);
        EXPECT_EQ(read.hasKeypadTop, c.keypadTop);
        EXPECT_FALSE(read.hasKeypadLeft);
        EXPECT_EQ(read.data.x, 0);
        EXPECT_EQ(read.data.t, 0);
    }
}

}  // namespace
}  // namespace rpn

// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/file_numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>

#include "engine/arithmetic_fault.h"
#include "tests/fuzz/register_bytes.h"

namespace rpn {
namespace {

constexpr Register kInfinity = std::numeric_limits<Register>::infinity();

// The file's bytes, read by a fresh reader.
struct FileText {
    explicit FileText(std::string bytes) : stream(std::move(bytes)), reader(stream) {}
    std::istringstream stream;
    FileNumberReader reader;
};

TEST(FormatFileReal, WritesFifteenDigitsInTwentyThreeCharacters) {
    struct Case {
        Register value;
        const char* text;
    };
    const Case cases[] = {
        {1.0L / 3.0L, " 3.33333333333333E-0001"}, {2.0L / 3.0L, " 6.66666666666667E-0001"},
        {0.0L, " 0.00000000000000E+0000"},        {-0.0L, "-0.00000000000000E+0000"},
        {1e100L, " 1.00000000000000E+0100"},      {-1.5e-20L, "-1.50000000000000E-0020"},
        {kInfinity, "                   +Inf"},   {-kInfinity, "                   -Inf"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFileReal(c.value), c.text) << static_cast<double>(c.value);
    }
}

TEST(FormatFileInteger, WritesDigitsWithoutBlanks) {
    EXPECT_EQ(FormatFileInteger(0), "0");
    EXPECT_EQ(FormatFileInteger(616), "616");
    EXPECT_EQ(FormatFileInteger(-20), "-20");
    EXPECT_EQ(FormatFileInteger(std::numeric_limits<int32_t>::min()), "-2147483648");
}

TEST(FileNumberReader, ValueWrittenAndReadBackKeepsFifteenDigits) {
    struct Case {
        Register written;
        Register readBack;
        bool keptBitForBit;
    };
    const Case cases[] = {
        {1.0L / 3.0L, 0.333333333333333L, false},
        {2.0L / 3.0L, 0.666666666666667L, false},
        {-1.5e-20L, -1.5e-20L, true},
        {1e100L, 1e100L, true},
    };
    for (const Case& c : cases) {
        FileText file(FormatFileReal(c.written) + "\r\n");
        const Register value = file.reader.ReadFileReal();
        EXPECT_FALSE(file.reader.ioError());
        EXPECT_EQ(value, c.readBack) << FormatFileReal(c.written);
        EXPECT_EQ(value == c.written, c.keptBitForBit) << FormatFileReal(c.written);
    }
}

bool SameBits(Register a, Register b) {
    return std::memcmp(&a, &b, fuzz::kRegisterBytes) == 0;
}

Register ReadBack(const std::string& text) {
    FileText file(text + "\r\n");
    const Register value = file.reader.ReadFileReal();
    EXPECT_FALSE(file.reader.ioError()) << text;
    return value;
}

// Whatever a register holds, its saved text reads back without failure as a value that saves
// as the same text and from then on reads back bit for bit: the 15 digits survive any number
// of sessions, and infinities, zeros and the range's ends come back exactly.
TEST(FileNumberReader, EverySavedTextReadsBackAsTheValueItNames) {
    const Register exact[] = {
        kInfinity,
        -kInfinity,
        0.0L,
        -0.0L,
        std::numeric_limits<Register>::max(),
        -std::numeric_limits<Register>::max(),
        std::numeric_limits<Register>::min(),
        std::numeric_limits<Register>::denorm_min(),
        -std::numeric_limits<Register>::denorm_min(),
    };
    for (const Register value : exact) {
        const std::string text = FormatFileReal(value);
        SCOPED_TRACE(text);
        const Register back = ReadBack(text);
        EXPECT_EQ(FormatFileReal(back), text);
        if (std::isinf(value) || value == 0) {
            EXPECT_TRUE(SameBits(back, value));
        }
    }

    std::mt19937_64 random(20261210);
    for (int i = 0; i < 20000; ++i) {
        uint8_t bytes[fuzz::kRegisterBytes];
        for (uint8_t& byte : bytes) {
            byte = static_cast<uint8_t>(random());
        }
        // Every fourth value a denormal, whose few digits are the hardest to keep.
        if (i % 4 == 0) {
            bytes[9] &= 0x80;
            bytes[8] = 0;
        }
        const Register value = fuzz::RegisterFromBytes(bytes);
        const std::string text = FormatFileReal(value);
        const Register back = ReadBack(text);
        ASSERT_EQ(FormatFileReal(back), text) << "after one save and load";
        ASSERT_TRUE(SameBits(ReadBack(FormatFileReal(back)), back)) << text;
    }
}

TEST(FileNumberReader, NegativeZeroReadsBackWithItsSign) {
    FileText file(FormatFileReal(-0.0L) + "\r\n");
    const Register value = file.reader.ReadFileReal();
    EXPECT_FALSE(file.reader.ioError());
    EXPECT_EQ(value, 0.0L);
    EXPECT_TRUE(std::signbit(value));
}

TEST(FileNumberReader, IntegerTokens) {
    struct Case {
        const char* token;
        bool converts;
        int32_t value;
    };
    const Case cases[] = {
        {"$12C", true, 300},
        {"$12c", true, 300},
        {"$FFFFFFFF", true, -1},
        {"$80000000", true, std::numeric_limits<int32_t>::min()},
        {"$00000000000000000000000000012C", true, 300},
        {"$100000000", false, 0},
        {"2147483647", true, 2147483647},
        {"2147483648", false, 0},
        {"-2147483648", true, std::numeric_limits<int32_t>::min()},
        {"-2147483649", false, 0},
        {"99999999999999999999999999999999", false, 0},
        {"+616", true, 616},
        {"-0020", true, -20},
        {"$", false, 0},
        {"-", false, 0},
        {"-$1", false, 0},
        {"$G", false, 0},
        {"12a", false, 0},
        {"1.0", false, 0},
        {"1e3", false, 0},
    };
    for (const Case& c : cases) {
        FileText file(std::string(c.token) + "\r\n");
        const int32_t value = file.reader.ReadFileInteger();
        EXPECT_EQ(!file.reader.ioError(), c.converts) << c.token;
        if (c.converts) {
            EXPECT_EQ(value, c.value) << c.token;
        }
    }
}

TEST(FileNumberReader, RealTokens) {
    struct Case {
        const char* token;
        bool converts;
        Register value;
    };
    const Case cases[] = {
        {"12.5", true, 12.5L},
        {"-1E-3", true, -0.001L},
        {"1e5120", true, kInfinity},
        // The file always writes '.'.
        {"1,5", false, 0},
        // Infinities read back only in the writer's own spelling.
        {"+Inf", true, kInfinity},
        {"-Inf", true, -kInfinity},
        {"Inf", false, 0},
        {"+inf", false, 0},
        {"+Infinity", false, 0},
        {"5.", false, 0},
        // A byte above 127 is part of the token, not a blank to be skipped.
        {"\xA0"
         "5",
         false, 0},
    };
    for (const Case& c : cases) {
        FileText file(std::string(c.token) + "\r\n");
        const Register value = file.reader.ReadFileReal();
        EXPECT_EQ(!file.reader.ioError(), c.converts) << c.token;
        if (c.converts) {
            EXPECT_EQ(value, c.value) << c.token;
        }
    }
}

TEST(FileNumberReader, RealBeyondTheRangeOverflowsWithoutIoError) {
    FileText file("1e4933\r\n");
    try {
        file.reader.ReadFileReal();
        FAIL() << "no overflow";
    } catch (const ArithmeticFault& fault) {
        EXPECT_EQ(fault.kind(), FaultKind::Overflow);
    }
    EXPECT_FALSE(file.reader.ioError());
}

// Each file holds the reals 1 and 2 in some layout; `second` is what the second read after a
// SkipLine gives.
TEST(FileNumberReader, LineLayouts) {
    struct Case {
        const char* name;
        std::string bytes;
        Register second;
    };
    const Case cases[] = {
        {"CR LF lines", "1\r\n2\r\n", 2},
        {"no line end after the last number", "1\r\n2", 2},
        {"lone CR ends a line", "1\r2\r", 2},
        {"lone LF ends a line", "1\n2\n", 2},
        {"LF then CR: a line and a blank one", "1\n\r2\n", 2},
        {"rest of the line ignored", "1 7 8\r\n2\r\n", 2},
        {"rest of an LF line ignored", "1 7 8\n2\n", 2},
        {"blank lines, blanks and tabs skipped", "1\r\n\r\n \t\r\n2\r\n", 2},
        {"blank LF lines skipped", "1\n\n \t\n2\n", 2},
        {"26 at a line start",
         "1\r\n\x1a"
         "2\r\n",
         0},
        {"26 among the blanks before a number",
         "1\r\n   \x1a"
         "2\r\n",
         0},
        {"26 on the skipped rest of a line", "1 \x1a\r\n2\r\n", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FileText file(c.bytes);
        EXPECT_EQ(file.reader.ReadFileReal(), 1);
        file.reader.SkipLine();
        EXPECT_EQ(file.reader.ReadFileReal(), c.second);
        file.reader.SkipLine();
        // Beyond the end every read gives 0 and nothing fails.
        EXPECT_TRUE(file.reader.AtEndOfData());
        EXPECT_EQ(file.reader.ReadFileReal(), 0);
        EXPECT_EQ(file.reader.ReadFileInteger(), 0);
        EXPECT_FALSE(file.reader.ioError());
    }
}

// A byte that no saved file holds, wherever it stands before the end of the data, is a
// damaged or converted file: the read fails rather than skip it as a blank.
TEST(FileNumberReader, ByteThatNoSavedFileHoldsFails) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"NUL inside the number", std::string("1\0"
                                              "5\r\n2\r\n",
                                              7)},
        {"NUL before the number", std::string("\0"
                                              "1\r\n2\r\n",
                                              6)},
        {"NUL on a blank line", std::string("1\r\n\0\r\n2\r\n", 9)},
        {"UTF-16LE", std::string("1\0\r\0\n\0"
                                 "2\0\r\0\n\0",
                                 12)},
        {"control byte on a blank line", "1\r\n\x01\r\n2\r\n"},
        {"form feed", "1\r\n\f2\r\n"},
        {"DEL after the number", "1\x7f\r\n2\r\n"},
        {"Latin-1 letter on the skipped rest of a line", "1 caf\xe9\r\n2\r\n"},
        {"UTF-8 byte-order mark",
         "\xef\xbb\xbf"
         "1\r\n2\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FileText file(c.bytes);
        file.reader.ReadFileReal();
        file.reader.SkipLine();
        file.reader.ReadFileReal();
        EXPECT_TRUE(file.reader.ioError());
    }
}

TEST(FileNumberReader, ByteTwentySixInsideATokenEndsTheData) {
    FileText file(
        "12\x1a"
        "34\r\n");
    EXPECT_EQ(file.reader.ReadFileInteger(), 12);
    EXPECT_TRUE(file.reader.AtEndOfData());
    EXPECT_EQ(file.reader.ReadFileInteger(), 0);
    EXPECT_FALSE(file.reader.ioError());
}

TEST(FileNumberReader, AtEndOfDataCountsBlanksAndLineEndsAsData) {
    FileText file(" \r\n");
    EXPECT_FALSE(file.reader.AtEndOfData());
    EXPECT_EQ(file.reader.ReadFileReal(), 0);
    EXPECT_TRUE(file.reader.AtEndOfData());
    EXPECT_FALSE(file.reader.ioError());
}

TEST(FileNumberReader, LongTokensSplitAtTheirLimit) {
    // 64 characters make one real; the rest is the next token.
    FileText real(std::string(64, '0') + "12\r\n");
    EXPECT_EQ(real.reader.ReadFileReal(), 0);
    EXPECT_EQ(real.reader.ReadFileReal(), 12);
    EXPECT_FALSE(real.reader.ioError());

    // 32 characters make one integer.
    FileText integer("$" + std::string(31, '0') + "7\r\n");
    EXPECT_EQ(integer.reader.ReadFileInteger(), 0);
    EXPECT_EQ(integer.reader.ReadFileInteger(), 7);
    EXPECT_FALSE(integer.reader.ioError());
}

// Serves `head`, then `blanks` blanks, then `tail`, the blanks a few thousand at a time
// without ever holding them, and counts the pieces of blanks served.
class BlankSource : public std::streambuf {
  public:
    BlankSource(std::string head, int64_t blanks, std::string tail)
        : head_(std::move(head)), left_(blanks), tail_(std::move(tail)), chunk_(4096, ' ') {
        setg(head_.data(), head_.data(), head_.data() + head_.size());
    }

    int chunksServed = 0;

  protected:
    int_type underflow() override {
        if (left_ > 0) {
            const int64_t size = std::min<int64_t>(left_, chunk_.size());
            left_ -= size;
            ++chunksServed;
            setg(chunk_.data(), chunk_.data(), chunk_.data() + size);
            return traits_type::to_int_type(' ');
        }
        if (!tailServed_ && !tail_.empty()) {
            tailServed_ = true;
            setg(tail_.data(), tail_.data(), tail_.data() + tail_.size());
            return traits_type::to_int_type(tail_.front());
        }
        return traits_type::eof();
    }

  private:
    std::string head_;
    int64_t left_;
    std::string tail_;
    std::string chunk_;
    bool tailServed_ = false;
};

constexpr int64_t kHundredMegabytes = 100'000'000;

TEST(FileNumberReader, SkipsAHundredMegabytesOfBlanks) {
    BlankSource source("", kHundredMegabytes, "7\r\n");
    std::istream in(&source);
    FileNumberReader reader(in);
    EXPECT_EQ(reader.ReadFileInteger(), 7);
    EXPECT_FALSE(reader.ioError());
}

TEST(FileNumberReader, ReadsNoFurtherThanItNeeds) {
    BlankSource source("5\r\n", kHundredMegabytes, "");
    std::istream in(&source);
    FileNumberReader reader(in);
    EXPECT_EQ(reader.ReadFileInteger(), 5);
    reader.SkipLine();
    EXPECT_EQ(source.chunksServed, 0);
    // Only a look at the next byte.
    EXPECT_FALSE(reader.AtEndOfData());
    EXPECT_EQ(source.chunksServed, 1);
    EXPECT_FALSE(reader.ioError());
}

// Delivers `good` and then fails as a disk does when a read returns an error.
class FailingSource : public std::streambuf {
  public:
    explicit FailingSource(std::string good) : good_(std::move(good)) {
        setg(good_.data(), good_.data(), good_.data() + good_.size());
    }

  protected:
    int_type underflow() override { throw std::ios_base::failure("Input/output error"); }

  private:
    std::string good_;
};

TEST(FileNumberReader, ReadErrorOfTheStreamIsAnIoError) {
    FailingSource source("1\r\n");
    std::istream in(&source);
    FileNumberReader reader(in);
    EXPECT_EQ(reader.ReadFileReal(), 1);
    EXPECT_FALSE(reader.ioError());
    reader.SkipLine();
    reader.ReadFileReal();
    EXPECT_TRUE(reader.ioError());
}

}  // namespace
}  // namespace rpn

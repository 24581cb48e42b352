// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "engine/arithmetic_fault.h"

namespace rpn {
namespace {

constexpr Register kInfinity = std::numeric_limits<Register>::infinity();

struct RegisterBits {
    uint16_t exponentField;  // sign bit removed
    uint64_t significand;
    bool negative;
};

RegisterBits BitsOf(Register x) {
    unsigned char bytes[sizeof(Register)] = {};
    std::memcpy(bytes, &x, sizeof x);
    RegisterBits bits{};
    uint16_t signAndExponent = 0;
    std::memcpy(&bits.significand, bytes, 8);
    std::memcpy(&signAndExponent, bytes + 8, 2);
    bits.exponentField = signAndExponent & 0x7FFF;
    bits.negative = (signAndExponent & 0x8000) != 0;
    return bits;
}

Register FromBits(uint16_t signAndExponent, uint64_t significand) {
    unsigned char bytes[sizeof(Register)] = {};
    std::memcpy(bytes, &significand, 8);
    std::memcpy(bytes + 8, &signAndExponent, 2);
    Register x = 0;
    std::memcpy(&x, bytes, sizeof x);
    return x;
}

class NumberTextTest : public ::testing::Test {
  protected:
    void SetUp() override { InitialiseRegisterArithmetic(); }

    // The value of an entry text, the way the calculator reads the X field.
    static Register Entry(std::string_view text) {
        const ParseResult result = ParseEntry(CommaToPoint(text));
        EXPECT_TRUE(result.ok()) << "'" << text << "' fails at " << result.failurePosition;
        return result.value;
    }
};

// The fixed-range texts carry the decimal separator; the scientific and integer texts
// keep their '.' (or have none).
std::string WithSeparator(std::string text, char separator) {
    if (text.find('E') == std::string::npos && text.find("Inf") == std::string::npos) {
        for (char& c : text) {
            if (c == '.') {
                c = separator;
            }
        }
    }
    return text;
}

TEST_F(NumberTextTest, DisplayTexts) {
    const Register lowerBound = Entry("2e-9");
    const struct {
        const char* what;
        Register x;
        const char* text;
    } cases[] = {
        {"0", 0.0L, "0"},
        {"-0", -0.0L, "0"},
        {"1", 1.0L, "1"},
        {"-1", -1.0L, "-1"},
        {"0.5", 0.5L, ".5"},
        {"-0.25", -0.25L, "-.25"},
        {"1/3", 1.0L / 3, ".333333333333"},
        {"2/3", 2.0L / 3, ".666666666667"},
        {"-2/3", -2.0L / 3, "-.66666666666"},
        {".1 + .2", Entry(".1") + Entry(".2"), ".3"},
        {"100.5", 100.5L, "100.5"},
        {"123456789", 123456789.0L, "123456789"},
        {"1999999999", 1999999999.0L, "1999999999"},
        {"-1999999999", -1999999999.0L, "-1999999999"},
        {"1999999999.5", 1999999999.5L, "1999999999.5"},
        {"1999999999.9999999", Entry("1999999999.9999999"), "2000000000"},
        {"1999999999.99999", Entry("1999999999.99999"), "2000000000"},
        {"2000000000", 2000000000.0L, "2.00000E+0009"},
        {"-2000000000", -2000000000.0L, "-2.00000E+0009"},
        {"123456789012", 123456789012.0L, "1.23457E+0011"},
        {"12345678000", 12345678000.0L, "1.23457E+0010"},
        {"1e100", Entry("1e100"), "1.00000E+0100"},
        {"1e-9", Entry("1e-9"), "1.00000E-0009"},
        {"2e-9", lowerBound, "2.00000E-0009"},
        {"2.0000000000000000001e-9", Entry("2.0000000000000000001e-9"), "2.00000E-0009"},
        {"next above 2e-9", std::nextafter(lowerBound, 1.0L), ".000000002"},
        {"2.5e-9", Entry("2.5e-9"), ".0000000025"},
        {"3e-9", Entry("3e-9"), ".000000003"},
        {"-3e-9", Entry("-3e-9"), "-.000000003"},
        {"1e-10", Entry("1e-10"), "1.00000E-0010"},
        {"-1.5e-20", Entry("-1.5e-20"), "-1.50000E-0020"},
        {"12345.678901234567", Entry("12345.678901234567"), "12345.6789012"},
        {"-1234567890.123", Entry("-1234567890.123"), "-1234567890.12"},
        {"-0.000123456789012", Entry("-0.000123456789012"), "-.00012345678"},
        {"9.99999999999999", Entry("9.99999999999999"), "10"},
        {"0.9999999999999", Entry("0.9999999999999"), "1"},
        // Half-up on the 18 working digits, not on the binary value.
        {"0.1071274047075", Entry("0.1071274047075"), ".107127404708"},
        {"largest", std::numeric_limits<Register>::max(), "1.18973E+4932"},
        {"smallest denormal", std::numeric_limits<Register>::denorm_min(), "3.64520E-4951"},
        {"+infinity", kInfinity, "         +Inf"},
        {"-infinity", -kInfinity, "         -Inf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatRegister(c.x, kDisplayWidth, '.'), c.text) << c.what;
        EXPECT_EQ(FormatRegister(c.x, kDisplayWidth, ','), WithSeparator(c.text, ',')) << c.what;
    }
}

// With a separator that is neither '.' nor ',' the fixed text is only cut to the width.
TEST_F(NumberTextTest, OtherSeparatorIsOnlyCut) {
    EXPECT_EQ(FormatRegister(0.5L, kDisplayWidth, '\''), "'500000000000");
    EXPECT_EQ(FormatRegister(-0.25L, kDisplayWidth, '\''), "-'25000000000");
    EXPECT_EQ(FormatRegister(Entry("12345.678901234567"), kDisplayWidth, '\''), "12345'67890120");
    EXPECT_EQ(FormatRegister(123.0L, kDisplayWidth, '\''), "123");
}

TEST_F(NumberTextTest, SessionFileRealForm) {
    const struct {
        const char* what;
        Register x;
        const char* text;
    } cases[] = {
        {"0", 0.0L, " 0.00000000000000E+0000"},
        {"-0", -0.0L, "-0.00000000000000E+0000"},
        {"1/3", 1.0L / 3, " 3.33333333333333E-0001"},
        {"2/3", 2.0L / 3, " 6.66666666666667E-0001"},
        {"1e100", Entry("1e100"), " 1.00000000000000E+0100"},
        {"-1.5e-20", Entry("-1.5e-20"), "-1.50000000000000E-0020"},
        {"9.999999999999995", Entry("9.999999999999995"), " 1.00000000000000E+0001"},
        {"+infinity", kInfinity, "                   +Inf"},
        {"-infinity", -kInfinity, "                   -Inf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatScientific(c.x, 23), c.text) << c.what;
    }
}

TEST_F(NumberTextTest, FixedFormTreatsDenormalsAsZero) {
    const Register denormal = std::numeric_limits<Register>::min() / 4;
    EXPECT_EQ(FormatFixed(denormal, 12, 12, '.'), "0.000000000000");
    EXPECT_EQ(FormatFixed(-denormal, 12, 3, ','), "0,000");
    EXPECT_EQ(FormatFixed(-1234.5L, 18, 0, '.'), "-1235");
}

// No register holds a NaN, but a text for one must not come from the decimal scaling, whose
// exponent arithmetic has no meaning for it.
TEST_F(NumberTextTest, NonFiniteValuesSkipTheScaling) {
    const std::string text =
        FormatRegister(std::numeric_limits<Register>::quiet_NaN(), kDisplayWidth, '.');
    EXPECT_NE(text.find("NaN"), std::string::npos);
    EXPECT_LE(text.size(), 14u);
    EXPECT_EQ(FormatFixed(-kInfinity, 12, 12, '.'), "-Inf");
}

TEST_F(NumberTextTest, EntryValues) {
    const struct {
        const char* text;
        Register value;
        bool negative;
    } cases[] = {
        {"12.5", 12.5L, false},
        {" 7", 7.0L, false},
        {"007", 7.0L, false},
        {".5", 0.5L, false},
        {"-.5", -0.5L, true},
        {"1.e5", 100000.0L, false},
        {"1E-3", 0.001L, false},
        {"E5", 0.0L, false},
        {".e5", 0.0L, false},
        {"-e3", 0.0L, true},
        {"-0", 0.0L, true},
        {"1,5", 1.5L, false},
        {"1e0000000000005", 100000.0L, false},
    };
    for (const auto& c : cases) {
        const ParseResult result = ParseEntry(CommaToPoint(c.text));
        ASSERT_TRUE(result.ok()) << c.text << " fails at " << result.failurePosition;
        EXPECT_EQ(result.value, c.value) << c.text;
        EXPECT_EQ(std::signbit(result.value), c.negative) << c.text;
    }
}

TEST_F(NumberTextTest, EntryFailurePositions) {
    const struct {
        const char* text;
        int32_t position;
    } cases[] = {
        {"7 ", 2},  {"", 1},    {"-", 2},       {"+", 2},    {"   ", 4},   {".", 2},
        {"-.", 3},  {"5.", 3},  {"1e", 3},      {"1e+", 4},  {"1e5.5", 4}, {"12a", 3},
        {"+-5", 2}, {"\t5", 1}, {"1,000.5", 6}, {"1e-x", 4}, {"--1", 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseEntry(CommaToPoint(c.text)).failurePosition, c.position)
            << "'" << c.text << "'";
    }
}

TEST_F(NumberTextTest, CommaToPointChangesOnlyCommas) {
    EXPECT_EQ(CommaToPoint("1,000,5 x,"), "1.000.5 x.");
    EXPECT_EQ(CommaToPoint(""), "");
}

TEST_F(NumberTextTest, EntryBeyondRangeOverflows) {
    // 0.1e5120 has the decimal scale 5119: fraction digits count against the exponent.
    const std::string texts[] = {"1e4933", "-1e4933", "0.1e5120", "1" + std::string(4933, '0')};
    for (const std::string& text : texts) {
        try {
            ParseEntry(text);
            ADD_FAILURE() << text.substr(0, 10) << " gave no fault";
        } catch (const ArithmeticFault& fault) {
            EXPECT_EQ(fault.kind(), FaultKind::Overflow);
        }
    }
    EXPECT_TRUE(std::isfinite(Entry("1e4932")));
    EXPECT_TRUE(std::isfinite(Entry("1.18973149535723176e4932")));
}

// A mantissa too long for the register range still means its value: the digits beyond the
// range scale it instead of overflowing the reading.
TEST_F(NumberTextTest, VeryLongMantissaMeansItsValue) {
    EXPECT_EQ(Entry("1." + std::string(5000, '0')), 1.0L);
    EXPECT_EQ(FormatRegister(Entry("0." + std::string(100000, '1')), kDisplayWidth, '.'),
              ".111111111111");
    EXPECT_EQ(FormatRegister(Entry("-" + std::string(4940, '2') + "e-4930"), kDisplayWidth, '.'),
              "-2.22222E+0009");
}

TEST_F(NumberTextTest, DecimalScaleLimitGivesInfinityOrZero) {
    const struct {
        const char* text;
        Register value;
        bool negative;
    } cases[] = {
        {"1e5120", kInfinity, false},
        {"0e5120", kInfinity, false},
        {"-1e5120", -kInfinity, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Entry(c.text), c.value) << c.text;
        EXPECT_EQ(std::signbit(Entry(c.text)), c.negative) << c.text;
    }
}

// An exponent of any length means what it says: a huge positive scale is infinite with the
// text's sign, a huge negative one is zero, also when fraction digits push the scale past
// the 32-bit range.
TEST_F(NumberTextTest, LongExponentsSaturate) {
    const std::string manyFractionDigits = "0." + std::string(100, '0') + "1";
    const struct {
        std::string text;
        Register value;
    } cases[] = {
        {"1e99999999999", kInfinity},
        {"-1e4294967296", -kInfinity},
        {"1e2147483648", kInfinity},
        {"1e-2147483649", 0.0L},
        {"1e-99999999999999999999999999999999", 0.0L},
        {"0e99999999999999999999999999999999", kInfinity},
        {"0.5e-2147483648", 0.0L},
        {manyFractionDigits + "e-2147483600", 0.0L},
        {manyFractionDigits + "e2147483647", kInfinity},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Entry(c.text), c.value) << c.text;
    }
}

TEST_F(NumberTextTest, LowerScientificBoundBits) {
    const RegisterBits bits = BitsOf(Entry("2e-9"));
    EXPECT_EQ(bits.exponentField, 0x3FE2);
    EXPECT_EQ(bits.significand, 0x89705F4136B4A597u);
    EXPECT_EQ(Entry("2e-9"), FromBits(0x3FE2, 0x89705F4136B4A597u));
}

// 5^n in 32-bit limbs, to round 10^n = 5^n × 2^n to 64 bits independently of the tables.
class ExactPowerOfFive {
  public:
    void MultiplyByFive() {
        uint64_t carry = 0;
        for (uint32_t& limb : limbs_) {
            const uint64_t product = uint64_t{limb} * 5 + carry;
            limb = static_cast<uint32_t>(product);
            carry = product >> 32;
        }
        if (carry != 0) {
            limbs_.push_back(static_cast<uint32_t>(carry));
        }
    }
    int BitLength() const {
        const uint32_t top = limbs_.back();
        return static_cast<int>(limbs_.size() - 1) * 32 + (32 - __builtin_clz(top));
    }
    bool Bit(int i) const { return i >= 0 && ((limbs_[i / 32] >> (i % 32)) & 1) != 0; }
    bool AnyBitBelow(int i) const {
        for (int j = 0; j < i; ++j) {
            if (Bit(j)) {
                return true;
            }
        }
        return false;
    }

  private:
    std::vector<uint32_t> limbs_{1};
};

// Each entry of the three tables is the register value nearest to its power of ten.
TEST_F(NumberTextTest, PowerTablesHoldNearestValues) {
    std::vector<int> powers;
    for (int n = 0; n < 32; ++n) {
        powers.push_back(n);
    }
    for (int k = 1; k <= 15; ++k) {
        powers.push_back(32 * k);
    }
    for (int k = 1; k <= 9; ++k) {
        powers.push_back(512 * k);
    }
    ExactPowerOfFive five;
    int n = 0;
    for (int power : powers) {
        while (n < power) {
            five.MultiplyByFive();
            ++n;
        }
        const int length = five.BitLength();
        uint64_t significand = 0;
        for (int i = 0; i < 64; ++i) {
            significand = (significand << 1) | (five.Bit(length - 1 - i) ? 1 : 0);
        }
        int exponent = n + length - 1;
        const int roundBit = length - 65;
        if (five.Bit(roundBit) && (five.AnyBitBelow(roundBit) || (significand & 1) != 0)) {
            if (++significand == 0) {
                significand = uint64_t{1} << 63;
                ++exponent;
            }
        }
        const RegisterBits entry = BitsOf(MultiplyByPowerOfTen(1.0L, power));
        EXPECT_EQ(entry.significand, significand) << "1e" << power;
        EXPECT_EQ(entry.exponentField - 16383, exponent) << "1e" << power;
    }
}

TEST_F(NumberTextTest, PowerOfTenStepOverflowRaises) {
    EXPECT_THROW(MultiplyByPowerOfTen(std::numeric_limits<Register>::max(), 1), ArithmeticFault);
    EXPECT_EQ(MultiplyByPowerOfTen(-3.0L, 5120), kInfinity);
    EXPECT_EQ(MultiplyByPowerOfTen(3.0L, -5120), 0.0L);
    EXPECT_EQ(MultiplyByPowerOfTen(7.0L, 0), 7.0L);
}

// Any finite value, from the whole range down to denormals: the display text fits the field
// and reads back as an entry.
TEST_F(NumberTextTest, EveryDisplayTextFitsAndReadsBack) {
    std::mt19937_64 random(20261210);
    std::uniform_int_distribution<int> exponentField(0, 0x7FFE);
    std::uniform_int_distribution<int> displayRange(-30, 31);
    for (int i = 0; i < 20000; ++i) {
        const uint64_t significand = random();
        const int field = i % 2 == 0 ? exponentField(random) : 16383 + displayRange(random);
        const uint16_t signAndExponent =
            static_cast<uint16_t>(field | ((significand & 1) != 0 ? 0x8000 : 0));
        const uint64_t leadingBit = field == 0 ? 0 : uint64_t{1} << 63;
        const Register x =
            FromBits(signAndExponent, (significand & ~(uint64_t{1} << 63)) | leadingBit);
        for (const char separator : {'.', ','}) {
            const std::string text = FormatRegister(x, kDisplayWidth, separator);
            EXPECT_FALSE(text.empty());
            EXPECT_LE(text.size(), 14u) << text;
            EXPECT_TRUE(ParseEntry(CommaToPoint(text)).ok()) << text;
        }
    }
}

}  // namespace
}  // namespace rpn

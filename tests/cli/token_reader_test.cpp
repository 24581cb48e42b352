// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/token_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rpn::cli {
namespace {

struct ReadToken {
    std::string text;
    int64_t line;
    int64_t column;
    bool tooLong;
    bool operator==(const ReadToken&) const = default;
};

void PrintTo(const ReadToken& t, std::ostream* out) {
    *out << "'" << t.text << "' at " << t.line << ":" << t.column << (t.tooLong ? " too long" : "");
}

// Reads `parts` one after the other, as reads of standard input deliver them.
std::vector<ReadToken> Tokens(const std::vector<std::string>& parts, std::size_t limit = 8) {
    std::vector<ReadToken> tokens;
    const TokenSink take = [&](const Token& t) {
        tokens.push_back({std::string(t.text), t.place.line, t.place.column, t.tooLong});
    };
    TokenReader reader(limit);
    for (const std::string& part : parts) {
        reader.Read(part, take);
    }
    reader.Finish(take);
    return tokens;
}

struct ReaderCase {
    const char* name;
    std::vector<std::string> parts;
    std::vector<ReadToken> tokens;
};

void PrintTo(const ReaderCase& c, std::ostream* out) {
    *out << c.name;
}

class TokenReaderTest : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(TokenReaderTest, GivesEachTokenWithWhereItBegins) {
    EXPECT_EQ(Tokens(GetParam().parts), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, TokenReaderTest,
    ::testing::Values(
        ReaderCase{"Empty", {""}, {}}, ReaderCase{"OnlyBlanks", {" \t\r\n\v\f "}, {}},
        ReaderCase{"OneLine",
                   {"3.5 4.25 +"},
                   {{"3.5", 1, 1, false}, {"4.25", 1, 5, false}, {"+", 1, 10, false}}},
        ReaderCase{"LinesAndTabs",
                   {"1\n\t2 +\r\n"},
                   {{"1", 1, 1, false}, {"2", 2, 2, false}, {"+", 2, 4, false}}},
        ReaderCase{"TokenSplitBetweenReads",
                   {"12", "34 5", "6"},
                   {{"1234", 1, 1, false}, {"56", 1, 6, false}}},
        ReaderCase{
            "BlankEndsATokenAtAReadsStart", {"7", " 8"}, {{"7", 1, 1, false}, {"8", 1, 3, false}}},
        ReaderCase{"AtTheLimit", {"12345678 9"}, {{"12345678", 1, 1, false}, {"9", 1, 10, false}}},
        // Beyond the limit: the first bytes, marked, and the rest skipped wherever it is read.
        ReaderCase{
            "BeyondTheLimit", {"123456789 x"}, {{"12345678", 1, 1, true}, {"x", 1, 11, false}}},
        ReaderCase{"BeyondTheLimitAcrossReads",
                   {"1234", "5678", "9abc", " y"},
                   {{"12345678", 1, 1, true}, {"y", 1, 14, false}}},
        ReaderCase{"NulIsPartOfAToken",
                   {std::string("1\0002 3", 5)},
                   {{std::string("1\0002", 3), 1, 1, false}, {"3", 1, 5, false}}}),
    [](const auto& info) { return std::string(info.param.name); });

// A long line of blanks keeps nothing: the reader's memory is one token, whatever it reads.
TEST(TokenReader, ALongLineOfTokensKeepsOnlyOneToken) {
    TokenReader reader(8);
    std::size_t count = 0;
    int64_t lastColumn = 0;
    const TokenSink take = [&](const Token& t) {
        ++count;
        lastColumn = t.place.column;
    };
    const std::string part = "1 2 + ";
    for (int i = 0; i < 100000; ++i) {
        reader.Read(part, take);
    }
    reader.Finish(take);
    EXPECT_EQ(count, 300000u);
    EXPECT_EQ(lastColumn, 600000 - 1);
}

}  // namespace
}  // namespace rpn::cli

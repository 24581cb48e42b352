// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace rpn::cli {

// Where a token begins: 1-based line and column, counted in bytes.
struct TokenPlace {
    int64_t line = 1;
    int64_t column = 1;
};

struct Token {
    // The token's bytes, or for a token beyond the limit its first `limit` bytes.
    std::string_view text;
    TokenPlace place;
    bool tooLong = false;
};

using TokenSink = std::function<void(const Token&)>;

// Splits input into tokens separated by blanks (space, tab, line ends, vertical tab, form
// feed), part by part as it arrives. It holds at most one token of at most `limit` bytes,
// however long the input or its lines are: a longer token is passed on marked too long, and
// the rest of it is skipped as it is read.
class TokenReader {
  public:
    explicit TokenReader(std::size_t limit) : limit_(limit) {}

    // Reads the next part of the input, passing on every token that ends in it.
    void Read(std::string_view bytes, const TokenSink& take);
    // The input has ended: passes on the token it ended in, if any.
    void Finish(const TokenSink& take);

  private:
    void Deliver(const TokenSink& take);

    std::size_t limit_;
    std::string token_;
    bool inToken_ = false;
    bool tooLong_ = false;
    TokenPlace start_;
    // The place of the next byte to be read.
    TokenPlace next_;
};

}  // namespace rpn::cli

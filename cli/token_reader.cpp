// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/token_reader.h"

namespace rpn::cli {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\n' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

void TokenReader::Read(std::string_view bytes, const TokenSink& take) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (IsBlank(bytes[i])) {
            if (inToken_) {
                Deliver(take);
            }
            if (bytes[i] == '\n') {
                ++next_.line;
                next_.column = 1;
            } else {
                ++next_.column;
            }
            ++i;
            continue;
        }
        if (!inToken_) {
            inToken_ = true;
            start_ = next_;
        }
        // The whole run of token bytes in this part at once.
        std::size_t end = i;
        while (end < bytes.size() && !IsBlank(bytes[end])) {
            ++end;
        }
        const std::size_t room = limit_ - token_.size();
        const std::size_t run = end - i;
        if (run > room) {
            tooLong_ = true;
        }
        token_.append(bytes.substr(i, run < room ? run : room));
        next_.column += static_cast<int64_t>(run);
        i = end;
    }
}

void TokenReader::Finish(const TokenSink& take) {
    if (inToken_) {
        Deliver(take);
    }
}

void TokenReader::Deliver(const TokenSink& take) {
    take(Token{token_, start_, tooLong_});
    token_.clear();
    inToken_ = false;
    tooLong_ = false;
}

}  // namespace rpn::cli

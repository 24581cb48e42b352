// SPDX-License-Identifier: GPL-3.0-or-later
// Script input of any bytes, in two reads split anywhere: the reader gives the same tokens as
// from one read, each non-empty, without blanks, within the limit and in order of place; and
// every token runs on the calculator to an answer, never to a crash or an escaped fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cli/script_runner.h"
#include "cli/token_reader.h"

namespace {

constexpr std::size_t kLimit = 64;

struct Read {
    std::string text;
    rpn::cli::TokenPlace place;
    bool tooLong;
};

std::vector<Read> Tokens(const std::vector<std::string_view>& parts) {
    std::vector<Read> tokens;
    rpn::cli::TokenReader reader(kLimit);
    const rpn::cli::TokenSink take = [&](const rpn::cli::Token& t) {
        tokens.push_back({std::string(t.text), t.place, t.tooLong});
    };
    for (std::string_view part : parts) {
        reader.Read(part, take);
    }
    reader.Finish(take);
    return tokens;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\n' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    rpn::InitialiseRegisterArithmetic();
    if (size == 0) {
        return 0;
    }
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t split = data[0] % (input.size() + 1);
    const std::vector<Read> whole = Tokens({input});
    const std::vector<Read> parted = Tokens({input.substr(0, split), input.substr(split)});
    if (whole.size() != parted.size()) {
        std::abort();
    }
    rpn::cli::ScriptRunner runner('.');
    for (std::size_t i = 0; i < whole.size(); ++i) {
        const Read& t = whole[i];
        if (t.text != parted[i].text || t.place.line != parted[i].place.line ||
            t.place.column != parted[i].place.column || t.tooLong != parted[i].tooLong) {
            std::abort();
        }
        if (t.text.empty() || t.text.size() > kLimit || (t.tooLong && t.text.size() != kLimit)) {
            std::abort();
        }
        for (char c : t.text) {
            if (IsBlank(c)) {
                std::abort();
            }
        }
        if (i > 0 && (t.place.line < whole[i - 1].place.line ||
                      (t.place.line == whole[i - 1].place.line &&
                       t.place.column <= whole[i - 1].place.column))) {
            std::abort();
        }
        runner.Run(t.text);
    }
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <istream>
#include <string>

#include "engine/register.h"

namespace rpn {

// The session file's real: FormatScientific(x, 23), e.g. " 3.33333333333333E-0001".
std::string FormatFileReal(Register x);
// The session file's integer: decimal digits, '-' when negative, no blanks.
std::string FormatFileInteger(int32_t i);

// Reads the session file's numbers from a byte stream. The end of the stream or a byte 26
// ends the data; from there every read gives 0 without failure. A token that does not
// convert leaves ioError() set (the value returned with it means nothing).
class FileNumberReader {
  public:
    explicit FileNumberReader(std::istream& in);

    // Reads "+Inf" and "-Inf", the writer's infinities, as those values. Raises
    // ArithmeticFault(Overflow) for a real beyond the register range.
    Register ReadFileReal();
    int32_t ReadFileInteger();
    // Skips the rest of the line: up to and including the next LF, or the next CR and an LF
    // right after it.
    void SkipLine();
    // No byte left, or the next byte is 26.
    bool AtEndOfData();
    // A read failed to convert, or the stream itself failed.
    bool ioError() const { return ioError_; }

  private:
    std::istream& in_;
    bool ioError_ = false;
};

}  // namespace rpn

// SPDX-License-Identifier: GPL-3.0-or-later
// Any register value, finite or infinite, denormals included: its display text fits the
// field and reads back, and its session-file text reads back to the same 15 digits.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "engine/number_text.h"
#include "session/file_numbers.h"
#include "tests/fuzz/register_bytes.h"

namespace {

void CheckDisplayText(rpn::Register x, char separator) {
    const std::string text = rpn::FormatRegister(x, rpn::kDisplayWidth, separator);
    if (std::isinf(x)) {
        if (text != (x > 0 ? "         +Inf" : "         -Inf")) {
            std::abort();
        }
        return;
    }
    if (text.empty() || text.size() > static_cast<size_t>(rpn::kDisplayWidth)) {
        std::abort();
    }
    if (!rpn::ParseEntry(rpn::CommaToPoint(text)).ok()) {
        std::abort();
    }
}

void CheckFileText(rpn::Register x) {
    const std::string text = rpn::FormatFileReal(x);
    if (std::isinf(x)) {
        if (text.size() != 23) {
            std::abort();
        }
        return;
    }
    std::istringstream in(text + "\r\n");
    rpn::FileNumberReader reader(in);
    const rpn::Register readBack = reader.ReadFileReal();
    if (reader.ioError() || rpn::FormatFileReal(readBack) != text) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < rpn::fuzz::kRegisterBytes) {
        return 0;
    }
    rpn::InitialiseRegisterArithmetic();
    const rpn::Register x = rpn::fuzz::RegisterFromBytes(data);
    CheckDisplayText(x, '.');
    CheckDisplayText(x, ',');
    CheckFileText(x);
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Entry text of any bytes: the parse either reads a value, names a failure position inside
// the text (or just after it), or raises the overflow fault. Nothing else may happen.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/arithmetic_fault.h"
#include "engine/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    rpn::InitialiseRegisterArithmetic();
    const std::string text =
        rpn::CommaToPoint(std::string(reinterpret_cast<const char*>(data), size));
    try {
        const rpn::ParseResult result = rpn::ParseEntry(text);
        if (result.failurePosition < 0 ||
            result.failurePosition > static_cast<int64_t>(text.size()) + 1) {
            std::abort();
        }
        if (result.ok() && std::isnan(result.value)) {
            std::abort();
        }
    } catch (const rpn::ArithmeticFault& fault) {
        if (fault.kind() != rpn::FaultKind::Overflow) {
            std::abort();
        }
    }
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine/register.h"

namespace rpn::fuzz {

// Builds a register value from 10 bytes (64-bit significand, then sign and exponent), forcing
// the explicit leading bit to agree with the exponent so that every result is a valid
// extended real: normal, denormal, zero or infinite. NaNs are turned into infinities, since
// no register ever holds one.
inline Register RegisterFromBytes(const uint8_t* data) {
    uint64_t significand = 0;
    uint16_t signAndExponent = 0;
    std::memcpy(&significand, data, 8);
    std::memcpy(&signAndExponent, data + 8, 2);
    const uint16_t exponent = signAndExponent & 0x7FFF;
    const uint64_t leadingBit = uint64_t{1} << 63;
    if (exponent == 0) {
        significand &= ~leadingBit;
    } else if (exponent == 0x7FFF) {
        significand = leadingBit;
    } else {
        significand |= leadingBit;
    }
    Register value = 0;
    unsigned char bytes[sizeof(Register)] = {};
    std::memcpy(bytes, &significand, 8);
    std::memcpy(bytes + 8, &signAndExponent, 2);
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

inline constexpr size_t kRegisterBytes = 10;

}  // namespace rpn::fuzz

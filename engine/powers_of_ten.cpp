// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/arithmetic_fault.h"
#include "engine/number_text.h"

namespace rpn {
namespace {

// Each entry is the register value nearest to its power of ten, worked out once with exact
// integer arithmetic: building them by repeated multiplication would compound the rounding.
// Up to 1e27 the powers are exact.
constexpr Register kUnitPowers[32] = {
    0x8000000000000000P-63L,  // 1e0
    0xA000000000000000P-60L,  // 1e1
    0xC800000000000000P-57L,  // 1e2
    0xFA00000000000000P-54L,  // 1e3
    0x9C40000000000000P-50L,  // 1e4
    0xC350000000000000P-47L,  // 1e5
    0xF424000000000000P-44L,  // 1e6
    0x9896800000000000P-40L,  // 1e7
    0xBEBC200000000000P-37L,  // 1e8
    0xEE6B280000000000P-34L,  // 1e9
    0x9502F90000000000P-30L,  // 1e10
    0xBA43B74000000000P-27L,  // 1e11
    0xE8D4A51000000000P-24L,  // 1e12
    0x9184E72A00000000P-20L,  // 1e13
    0xB5E620F480000000P-17L,  // 1e14
    0xE35FA931A0000000P-14L,  // 1e15
    0x8E1BC9BF04000000P-10L,  // 1e16
    0xB1A2BC2EC5000000P-7L,   // 1e17
    0xDE0B6B3A76400000P-4L,   // 1e18
    0x8AC7230489E80000P+0L,   // 1e19
    0xAD78EBC5AC620000P+3L,   // 1e20
    0xD8D726B7177A8000P+6L,   // 1e21
    0x878678326EAC9000P+10L,  // 1e22
    0xA968163F0A57B400P+13L,  // 1e23
    0xD3C21BCECCEDA100P+16L,  // 1e24
    0x84595161401484A0P+20L,  // 1e25
    0xA56FA5B99019A5C8P+23L,  // 1e26
    0xCECB8F27F4200F3AP+26L,  // 1e27
    0x813F3978F8940984P+30L,  // 1e28
    0xA18F07D736B90BE5P+33L,  // 1e29
    0xC9F2C9CD04674EDFP+36L,  // 1e30
    0xFC6F7C4045812296P+39L,  // 1e31
};

// 1e(32 k) for k = 1..15.
constexpr Register kMiddlePowers[15] = {
    0x9DC5ADA82B70B59EP+43L,    // 1e32
    0xC2781F49FFCFA6D5P+149L,   // 1e64
    0xEFB3AB16C59B14A3P+255L,   // 1e96
    0x93BA47C980E98CE0P+362L,   // 1e128
    0xB616A12B7FE617AAP+468L,   // 1e160
    0xE070F78D3927556BP+574L,   // 1e192
    0x8A5296FFE33CC930P+681L,   // 1e224
    0xAA7EEBFB9DF9DE8EP+787L,   // 1e256
    0xD226FC195C6A2F8CP+893L,   // 1e288
    0x81842F29F2CCE376P+1000L,  // 1e320
    0x9FA42700DB900AD2P+1106L,  // 1e352
    0xC4C5E310AEF8AA17P+1212L,  // 1e384
    0xF28A9C07E9B09C59P+1318L,  // 1e416
    0x957A4AE1EBF7F3D4P+1425L,  // 1e448
    0xB83ED8DC0795A262P+1531L,  // 1e480
};

// 1e(512 k) for k = 1..9.
constexpr Register kHighPowers[9] = {
    0xE319A0AEA60E91C7P+1637L,   // 1e512
    0xC976758681750C17P+3338L,   // 1e1024
    0xB2B8353B3993A7E4P+5039L,   // 1e1536
    0x9E8B3B5DC53D5DE5P+6740L,   // 1e2048
    0x8CA554C020A1F0A6P+8441L,   // 1e2560
    0xF9895D25D88B5A8BP+10141L,  // 1e3072
    0xDD5DC8A2BF27F3F8P+11842L,  // 1e3584
    0xC46052028A20979BP+13543L,  // 1e4096
    0xAE3511626ED559F0P+15244L,  // 1e4608
};

// Beyond this decimal scale a value is taken as infinite (or as zero for a negative scale).
constexpr int32_t kDecimalScaleLimit = 5120;

// Only a product of finite values can overflow; an operand that is already infinite stays
// infinite without a fault.
Register MultiplyChecked(Register a, Register factor) {
    const Register product = a * factor;
    if (std::isinf(product) && std::isfinite(a)) {
        throw ArithmeticFault(FaultKind::Overflow);
    }
    return product;
}

}  // namespace

Register MultiplyByPowerOfTen(Register a, int32_t n) {
    if (n == 0) {
        return a;
    }
    if (n >= kDecimalScaleLimit) {
        return std::numeric_limits<Register>::infinity();
    }
    if (n <= -kDecimalScaleLimit) {
        return 0;
    }
    const int32_t m = n < 0 ? -n : n;
    const Register unit = kUnitPowers[m % 32];
    const int32_t middleIndex = (m / 32) % 16;
    const int32_t highIndex = m / 512;
    // One rounding per table step, always in this order.
    if (n > 0) {
        a = MultiplyChecked(a, unit);
        if (middleIndex != 0) {
            a = MultiplyChecked(a, kMiddlePowers[middleIndex - 1]);
        }
        if (highIndex != 0) {
            a = MultiplyChecked(a, kHighPowers[highIndex - 1]);
        }
    } else {
        a = a / unit;
        if (middleIndex != 0) {
            a = a / kMiddlePowers[middleIndex - 1];
        }
        if (highIndex != 0) {
            a = a / kHighPowers[highIndex - 1];
        }
    }
    return a;
}

}  // namespace rpn

// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/register.h"

namespace rpn {

void InitialiseRegisterArithmetic() {
    unsigned short word = kRegisterControlWord;
    asm volatile("fldcw %0" : : "m"(word));
}

unsigned short CurrentControlWord() {
    unsigned short word = 0;
    asm volatile("fnstcw %0" : "=m"(word));
    return word;
}

}  // namespace rpn

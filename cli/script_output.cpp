// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/script_output.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdio>
#include <cstring>

#include "engine/number_text.h"

namespace rpn::cli {

std::string FormatValue(Register value, ValueForm form, char decimalSeparator) {
    if (form == ValueForm::Exact) {
        // 21 significant digits tell every 64-bit significand apart; the program never sets
        // a locale, so printf writes '.'.
        char text[64];
        std::snprintf(text, sizeof text, "%.21Lg", value);
        return text;
    }
    std::string shown = FormatRegister(value, kDisplayWidth, decimalSeparator);
    shown.erase(0, shown.find_first_not_of(' '));
    return shown;
}

char LocaleDecimalSeparator() {
    const locale_t user = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (user == static_cast<locale_t>(0)) {
        return '.';
    }
    const char* point = ::nl_langinfo_l(RADIXCHAR, user);
    const char separator = point != nullptr && std::strlen(point) == 1 ? point[0] : '.';
    ::freelocale(user);
    return separator;
}

}  // namespace rpn::cli

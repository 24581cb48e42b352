// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "engine/register.h"

namespace rpn::cli {

// How values are printed: as the window's field shows them, or with every digit a reader
// needs to get the same 80 bits back.
enum class ValueForm { Display, Exact };

// The field's text with the locale's decimal separator (the blanks before +Inf and -Inf
// left out), or 21 significant digits with '.'.
std::string FormatValue(Register value, ValueForm form, char decimalSeparator);

// The decimal separator of the user's locale (LC_ALL, LC_NUMERIC, LANG), or '.' when it is
// not one byte or the locale is not installed. The program's own locale stays "C".
char LocaleDecimalSeparator();

}  // namespace rpn::cli

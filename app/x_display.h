#pragma once

#include <string>

namespace rpn {

// Empty when an X server answers at `displayName` (empty: $DISPLAY); otherwise the one line
// that says which display could not be opened.
std::string XDisplayProblem(const std::string& displayName);

}  // namespace rpn

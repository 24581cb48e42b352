// SPDX-License-Identifier: GPL-3.0-or-later
#include <optional>

#include "app/startup.h"
#include "cli/run_script.h"

int main(int argc, char** argv) {
    // A script needs neither the toolkit nor a display: it runs before either is touched.
    if (const std::optional<int> exitCode = rpn::cli::RunScriptCommandLine(argc, argv)) {
        return *exitCode;
    }
    return rpn::RunCalculator(argc, argv);
}

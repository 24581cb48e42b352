// SPDX-License-Identifier: GPL-3.0-or-later
#include <csignal>
#include <optional>

#include "app/startup.h"
#include "cli/run_script.h"

namespace {

void IgnoreBrokenPipe(int) {}

// A write to a pipe nobody reads any more (stderr of a terminal that has gone, a log reader
// that has ended) must fail as a write, not end the program before it has saved; nor does a
// SIGPIPE sent from outside end it. A handler rather than SIG_IGN: programs started from here
// (the desktop's browser for a link in the help) get the default action back.
void SurviveBrokenPipes() {
    struct sigaction action {};
    action.sa_handler = IgnoreBrokenPipe;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGPIPE, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    // Before anything can write.
    SurviveBrokenPipes();
    // A script needs neither the toolkit nor a display: it runs before either is touched.
    if (const std::optional<int> exitCode = rpn::cli::RunScriptCommandLine(argc, argv)) {
        return *exitCode;
    }
    return rpn::RunCalculator(argc, argv);
}

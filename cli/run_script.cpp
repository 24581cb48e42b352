// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/run_script.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "cli/script_runner.h"
#include "cli/script_session.h"
#include "cli/token_reader.h"

namespace rpn::cli {

namespace {

// The token as a problem's line shows it: on one line, and not beyond a screen's width.
std::string Quoted(std::string_view token) {
    constexpr std::size_t kShown = 40;
    std::string quoted = "'";
    for (std::size_t i = 0; i < token.size() && i < kShown; ++i) {
        const auto byte = static_cast<unsigned char>(token[i]);
        if (byte < 32 || byte == 127) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            quoted += escaped;
        } else {
            quoted += static_cast<char>(byte);
        }
    }
    if (token.size() > kShown) {
        quoted += "...";
    }
    return quoted + "'";
}

std::string PlaceOf(const ScriptSource& source, TokenPlace place) {
    const std::string column = "column " + std::to_string(place.column);
    if (source.kind == ScriptSource::Kind::StandardInput) {
        return "line " + std::to_string(place.line) + ", " + column;
    }
    const std::string argument = "-e " + std::to_string(source.number) + ", ";
    return place.line == 1 ? argument + column
                           : argument + "line " + std::to_string(place.line) + ", " + column;
}

// One run of a request: the calculator, what it printed so far and whether anything failed.
class ScriptRun {
  public:
    ScriptRun(const ScriptRequest& request, std::FILE* out, std::FILE* err)
        : request_(request), runner_(LocaleDecimalSeparator()), out_(out), err_(err) {}

    ScriptRunner& runner() { return runner_; }
    bool failed() const { return failed_; }
    bool stopped() const { return stopped_; }

    // Runs one source; false when it could not be read.
    bool RunSource(const ScriptSource& source, int input) {
        TokenReader reader(kTokenLimit);
        const TokenSink take = [&](const Token& token) { Take(source, token); };
        if (source.kind == ScriptSource::Kind::Argument) {
            reader.Read(source.text, take);
            reader.Finish(take);
            return true;
        }
        // Read in parts, so that the input may be as long as it likes.
        char buffer[64 * 1024];
        for (;;) {
            const ssize_t got = ::read(input, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                Report("rpncalc: cannot read standard input: " + std::string(std::strerror(errno)));
                return false;
            }
            if (got == 0) {
                break;
            }
            reader.Read(std::string_view(buffer, static_cast<std::size_t>(got)), take);
        }
        reader.Finish(take);
        return true;
    }

    void PrintResult() {
        if (!request_.printStack) {
            PrintLine(Value(runner_.XValue()));
            return;
        }
        const CalculatorState& state = runner_.state();
        PrintLine("T " + Value(state.T));
        PrintLine("Z " + Value(state.Z));
        PrintLine("Y " + Value(state.Y));
        PrintLine("X " + Value(runner_.XValue()));
    }

  private:
    void Take(const ScriptSource& source, const Token& token) {
        // An -e stops at its first problem: the tokens after it were written for a stack
        // that did not come about.
        if (stopped_) {
            return;
        }
        TokenResult result;
        if (token.tooLong) {
            result = {TokenResult::Kind::Problem, "longer than the " + std::to_string(kTokenLimit) +
                                                      " characters the X field takes"};
        } else {
            result = runner_.Run(token.text);
        }
        if (result.kind == TokenResult::Kind::PrintX) {
            PrintLine(Value(runner_.XValue()));
        } else if (result.kind == TokenResult::Kind::Problem) {
            Report("rpncalc: " + PlaceOf(source, token.place) + ", " + Quoted(token.text) + ": " +
                   result.problem);
            stopped_ = source.kind == ScriptSource::Kind::Argument;
        }
    }

    std::string Value(Register value) const {
        return FormatValue(value, request_.form, runner_.decimalSeparator());
    }
    void PrintLine(const std::string& line) {
        std::fwrite(line.data(), 1, line.size(), out_);
        std::fputc('\n', out_);
    }
    void Report(const std::string& line) {
        failed_ = true;
        std::fprintf(err_, "%s\n", line.c_str());
    }

    const ScriptRequest& request_;
    ScriptRunner runner_;
    std::FILE* out_;
    std::FILE* err_;
    bool failed_ = false;
    bool stopped_ = false;
};

}  // namespace

int RunScript(const ScriptRequest& request, int input, std::FILE* out, std::FILE* err) {
    ScriptRun run(request, out, err);
    Calculator& calculator = run.runner().calculator();
    if (request.fromSession) {
        const std::string problem = OpenSavedSession(calculator);
        if (!problem.empty()) {
            std::fprintf(err, "rpncalc: %s\n", problem.c_str());
            return kScriptFailed;
        }
    } else {
        OpenFreshSession(calculator);
    }
    for (const ScriptSource& source : request.sources) {
        if (!run.RunSource(source, input)) {
            return kScriptFailed;
        }
        if (run.stopped()) {
            return kScriptFailed;
        }
    }
    run.PrintResult();
    if (std::fflush(out) != 0) {
        std::fprintf(err, "rpncalc: cannot write the result: %s\n", std::strerror(errno));
        return kScriptFailed;
    }
    return run.failed() ? kScriptFailed : 0;
}

std::optional<int> RunScriptCommandLine(int argc, const char* const* argv) {
    const ScriptArguments arguments = ParseScriptArguments(argc, argv);
    switch (arguments.kind) {
        case ScriptArguments::Kind::NoScript:
            return std::nullopt;
        case ScriptArguments::Kind::UsageError:
            std::fprintf(stderr, "rpncalc: %s Try 'rpncalc --help'.\n", arguments.error.c_str());
            return kScriptUsageError;
        case ScriptArguments::Kind::Script:
            break;
    }
    InitialiseRegisterArithmetic();
    return RunScript(arguments.request, STDIN_FILENO, stdout, stderr);
}

}  // namespace rpn::cli

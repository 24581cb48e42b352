// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "app/command_line.h"
#include "app/geometry_position.h"
#include "app/platform_start_guard.h"
#include "app/running_calculator.h"
#include "app/signal_close.h"
#include "app/start_limits.h"
#include "app/window_platform.h"
#include "app/x_display.h"
#include "engine/register.h"
#include "session/program_path.h"
#include "session/session_location.h"
#include "session/spare_descriptor.h"
#include "ui/calculator_windows.h"

namespace rpn {
namespace {

constexpr int kUsageError = 2;
constexpr int kNoDisplay = 1;
constexpr int kLimitTooLow = 1;
// How long a second start waits for the running calculator to answer, and how long it keeps
// asking one that holds the session's lock but does not listen yet (it starts, like this
// one, on a busy machine) or any more (it is ending).
constexpr std::chrono::milliseconds kRaiseWait{1000};
constexpr std::chrono::milliseconds kStartingWait{5000};

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

QStringList Arguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

// Chooses the window-system platform. Returns whether the toolkit will use an X server.
bool PrepareWindowSystem(const CommandLine& commandLine) {
    PlatformFacts facts{Environment("QT_QPA_PLATFORM"), commandLine.platform.toStdString(),
                        Environment("XDG_SESSION_TYPE"), Environment("WAYLAND_DISPLAY"),
                        Environment("DISPLAY")};
    const std::string platform = PlatformForSession(facts);
    if (!platform.empty()) {
        ::setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
        facts.qpaPlatform = platform;
    }
    return UsesXServer(facts);
}

// The platform the toolkit is about to load: -platform, else QT_QPA_PLATFORM, else its own
// default.
std::string ChosenPlatform(const CommandLine& commandLine) {
    if (!commandLine.platform.isEmpty()) {
        return commandLine.platform.toStdString();
    }
    const std::string fromEnvironment = Environment("QT_QPA_PLATFORM");
    return fromEnvironment.empty() ? "xcb" : fromEnvironment;
}

// The window system and display that the toolkit opened.
std::string ThisDisplay(const CommandLine& commandLine) {
    const std::string platform = QGuiApplication::platformName().toStdString();
    if (platform != "xcb") {
        return DisplayIdentity(platform, "");
    }
    return DisplayIdentity(platform, commandLine.display.isEmpty()
                                         ? Environment("DISPLAY")
                                         : commandLine.display.toStdString());
}

}  // namespace

int RunCalculator(int& argc, char** argv) {
    const CommandLine commandLine = ParseCommandLine(Arguments(argc, argv));
    switch (commandLine.action) {
        case CommandLine::Action::ShowHelp: {
            // The help text names the program as it was called, which it reads from an
            // application object.
            QCoreApplication core(argc, argv);
            std::fputs(qPrintable(CommandLineHelp()), stdout);
            return 0;
        }
        case CommandLine::Action::ShowVersion:
            std::fputs(qPrintable(VersionText()), stdout);
            return 0;
        case CommandLine::Action::Fail:
            std::fprintf(stderr, "rpncalc: %s Try 'rpncalc --help'.\n",
                         qPrintable(commandLine.error));
            return kUsageError;
        case CommandLine::Action::Run:
            break;
    }
    // Before the toolkit: under a limit too low, it would crash or lose its X connection
    // half-way.
    if (const std::string problem = PrepareStartLimits(); !problem.empty()) {
        std::fprintf(stderr, "rpncalc: %s\n", problem.c_str());
        return kLimitTooLow;
    }
    std::optional<XDisplayCheck> display;
    if (PrepareWindowSystem(commandLine)) {
        display.emplace(commandLine.display.toStdString());
    }
    if (display && !display->problem().empty()) {
        std::fprintf(stderr, "rpncalc: %s\n", display->problem().c_str());
        return kNoDisplay;
    }

    std::optional<PlatformStartGuard> platformGuard(std::in_place, ChosenPlatform(commandLine));
    // Qt takes its own platform options out of argc and argv.
    QApplication app(argc, argv);
    platformGuard.reset();
    // The toolkit holds its own connection now.
    display.reset();
    InitialiseRegisterArithmetic();
    // The paths stay the bytes the system gave: a folder name that is no valid text is a
    // folder all the same.
    const ProgramPath program = RunningProgramPath();
    ui::MainWindowOptions options;
    if (program.problem.empty()) {
        options.programPath = program.path;
        const SessionPlace place = ChooseSessionPlace(GatherSessionPlaceFacts(program.path));
        if (!place.note.empty()) {
            std::fprintf(stderr, "rpncalc: %s\n", place.note.c_str());
        }
        options.sessionPath = place.path;
        options.sessionProblem = place.problem;
        if (!place.path.empty()) {
            PrepareSessionFolder(place.path);
        }
    }
    // Before anything can use up the open-file limit: the closing save will need a descriptor.
    spare_descriptor::Keep();
    // One session file has one calculator: a second start brings the running one forward.
    std::optional<SessionClaim> claim;
    if (!options.sessionPath.empty()) {
        claim.emplace(options.sessionPath, ThisDisplay(commandLine), kRaiseWait, kStartingWait);
        if (!claim->runs()) {
            return claim->exitCode();
        }
    }
    options.position = GeometryPosition(commandLine.geometry.toStdString());
    const ui::CalculatorWindows windows(options);
    ui::MainWindow& mainWindow = windows.main();
    if (claim) {
        claim->SetWindows(&mainWindow, &windows.keypad());
    }
    // Ready before the first showing: a session file that cannot be read or written holds it
    // in a message box, and a logout must not find the signals unhandled there.
    SignalClose signalClose([&mainWindow] { return mainWindow.CaptureForShutdown(); },
                            mainWindow.sessionSnapshot(), mainWindow.sessionFile());
    mainWindow.show();
    if (const std::optional<int> exitCode = signalClose.EndedWith()) {
        return *exitCode;
    }
    return app.exec();
}

}  // namespace rpn

#include "app/startup.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "app/command_line.h"
#include "app/signal_close.h"
#include "app/window_platform.h"
#include "app/x_display.h"
#include "engine/register.h"
#include "session/session_location.h"
#include "ui/keypad_window.h"
#include "ui/main_window.h"

namespace rpn {
namespace {

constexpr int kUsageError = 2;
constexpr int kNoDisplay = 1;

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
    std::optional<XDisplayCheck> display;
    if (PrepareWindowSystem(commandLine)) {
        display.emplace(commandLine.display.toStdString());
    }
    if (display && !display->problem().empty()) {
        std::fprintf(stderr, "rpncalc: %s\n", display->problem().c_str());
        return kNoDisplay;
    }

    // Qt takes its own platform options out of argc and argv.
    QApplication app(argc, argv);
    // The toolkit holds its own connection now.
    display.reset();
    InitialiseRegisterArithmetic();
    const std::string programPath = QCoreApplication::applicationFilePath().toStdString();
    const std::string sessionPath = SessionFilePath(GatherSessionPlaceFacts(programPath));
    PrepareSessionFolder(sessionPath);
    ui::MainWindowOptions options;
    options.sessionPath = QString::fromStdString(sessionPath);
    options.position = GeometryPosition(commandLine.geometry);
    ui::MainWindow mainWindow(options);
    // The keypad belongs to the main window, so it goes when the main window goes and never
    // keeps the program running on its own.
    ui::KeypadWindow keypadWindow(mainWindow.keypad(), mainWindow.layoutScale(), &mainWindow);
    mainWindow.AttachKeypad(&keypadWindow);
    mainWindow.show();
    SignalClose signalClose([&mainWindow] { return mainWindow.SaveForShutdown(); });
    return app.exec();
}

}  // namespace rpn

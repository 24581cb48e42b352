#include "app/startup.h"

#include <QApplication>

#include "app/signal_close.h"
#include "engine/register.h"
#include "ui/calcx_window.h"
#include "ui/keys_window.h"

namespace rpn {

int RunCalculator(int& argc, char** argv) {
    // Qt needs argc and argv for its own platform options; the calculator reads none.
    QApplication app(argc, argv);
    InitialiseRegisterArithmetic();
    ui::TCalcxF calcxF;
    // The keypad belongs to the main window, so it goes when the main window goes and never
    // keeps the program running on its own.
    ui::TKeysF keysF(calcxF.keypad(), calcxF.layoutScale(), &calcxF);
    calcxF.AttachKeypad(&keysF);
    calcxF.show();
    SignalClose signalClose([&calcxF] { return calcxF.SaveForShutdown(); });
    return app.exec();
}

}  // namespace rpn

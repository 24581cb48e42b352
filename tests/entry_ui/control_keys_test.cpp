// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <vector>

#include "engine/register.h"
#include "layout/main_window_layout.h"
#include "tests/engine/state_access.h"
#include "tests/ui/main_window_access.h"
#include "ui/calculator_windows.h"
#include "ui/help_viewer.h"
#include "ui/keypad_window.h"
#include "ui/main_window.h"
#include "ui/message_boxes.h"
#include "ui/register_edit.h"

using rpn::Field;
using namespace rpn::ui;

namespace {

class CountingBoxes : public MessageBoxes {
  public:
    int shown = 0;
    void ShowStop(QWidget*, const QString&, const QString&) override { ++shown; }
    bool AskYesNo(QWidget*, const QString&, const QString&) override { return true; }
};

// The window and its keypad as the program builds them, beside a program file of their own.
struct Windows {
    QTemporaryDir dir;
    CountingBoxes boxes;
    CalculatorWindows windows{Options()};
    MainWindow* window = &windows.main();
    KeypadWindow* keys = &windows.keypad();

    MainWindowOptions Options() {
        MainWindowOptions options;
        options.layoutScale = 1.0;
        options.programPath =
            QFile::encodeName(dir.filePath(QStringLiteral("rpncalc"))).toStdString();
        options.messageBoxes = &boxes;
        return options;
    }

    Windows() {
        window->show();
        window->activateWindow();
    }

    rpn::CalculatorState& State() { return rpn::StateOf(window->calculator()); }

    // X = 0.5 freshly shown over Y = 2, Z = 3, T = 4, with 7 in the memory.
    void ShowStack() {
        State().Y = 2;
        State().Z = 3;
        State().T = 4;
        State().MemoryRegister = 7;
        MainWindowAccess::Fields(*window).SetFieldText(Field::X, "0.5");
        QVERIFY(window->calculator().CommitX());
        window->calculator().RefreshDisplay();
    }

    // Everything a control's command can change, one line each, so that a difference names
    // itself.
    QStringList Outcome() {
        MainWindow& w = *window;
        QWidget* focused = QApplication::focusWidget();
        auto& state = rpn::StateOf(w.calculator());
        return {
            QStringLiteral("X %1").arg(
                QString::fromStdString(MainWindowAccess::Fields(w).FieldText(Field::X))),
            QStringLiteral("Y %1").arg(
                QString::fromStdString(MainWindowAccess::Fields(w).FieldText(Field::Y))),
            QStringLiteral("Z %1").arg(
                QString::fromStdString(MainWindowAccess::Fields(w).FieldText(Field::Z))),
            QStringLiteral("T %1").arg(
                QString::fromStdString(MainWindowAccess::Fields(w).FieldText(Field::T))),
            QStringLiteral("X selection %1+%2")
                .arg(MainWindowAccess::Fields(w).SelectionStart(Field::X))
                .arg(MainWindowAccess::Fields(w).SelectionLength(Field::X)),
            QStringLiteral("stack lift %1").arg(state.StackLift),
            QStringLiteral("memory %1").arg(static_cast<double>(state.MemoryRegister)),
            QStringLiteral("angle %1").arg(MainWindowAccess::AngleModeLabel(w)->text()),
            QStringLiteral("focus %1").arg(focused ? focused->objectName() : QString()),
            QStringLiteral("on top %1").arg(MainWindowAccess::StayOnTop(w)),
            QStringLiteral("trig panel %1, height %2")
                .arg(MainWindowAccess::TrigPanelShown(w))
                .arg(w.height()),
            QStringLiteral("keypad %1 %2").arg(w.keypad().KeypadShown).arg(keys->isVisible()),
            QStringLiteral("help %1").arg(MainWindowAccess::Help(w) &&
                                          MainWindowAccess::Help(w)->isVisible()),
            QStringLiteral("window %1").arg(w.isVisible()),
            QStringLiteral("clipboard %1").arg(QGuiApplication::clipboard()->text()),
            QStringLiteral("beeps %1, boxes %2")
                .arg(MainWindowAccess::BeepCount(w))
                .arg(boxes.shown),
        };
    }
};

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
}

// The Qt key and the text that the keyboard gives for `key`.
struct Keystroke {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

Keystroke KeystrokeOf(ControlKey key) {
    switch (key.kind) {
        case ControlKey::Kind::Function:
            return {static_cast<Qt::Key>(Qt::Key_F1 + key.code - 1), Qt::NoModifier, {}};
        case ControlKey::Kind::Alt:
            return {static_cast<Qt::Key>(key.code), Qt::AltModifier,
                    QString(QChar(key.code)).toLower()};
        case ControlKey::Kind::AltShift:
            return {static_cast<Qt::Key>(key.code), Qt::AltModifier | Qt::ShiftModifier,
                    QString(QChar(key.code))};
        case ControlKey::Kind::None:
            break;
    }
    return {Qt::Key_unknown, Qt::NoModifier, {}};
}

// Pressed and released on the focused control, through the toolkit's shortcut step first, as
// the keyboard delivers it.
void Press(const Keystroke& k) {
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(focused);
    QTest::sendKeyEvent(QTest::Press, focused, k.key, k.text, k.modifiers);
    QTest::sendKeyEvent(QTest::Release, focused, k.key, k.text, k.modifiers);
    Settle();
}

}  // namespace

class ControlKeysTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        rpn::InitialiseRegisterArithmetic();
        QGuiApplication::clipboard()->setText(QStringLiteral("42"));
    }

    void keyRunsWhatAClickRuns_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("focus");
        for (const ControlLayout& control : MainWindowControls()) {
            if (!control.key) {
                continue;
            }
            // From the X field, and from the one push button that Tab reaches.
            for (const char* focus : {"EditX", "Button1"}) {
                QTest::addRow("%s from %s", control.name, focus)
                    << QString::fromLatin1(control.name) << QString::fromLatin1(focus);
            }
        }
    }

    void keyRunsWhatAClickRuns() {
        QFETCH(QString, control);
        QFETCH(QString, focus);
        const ControlLayout* row = FindControl(control.toStdString());
        QVERIFY(row);
        QStringList outcomes[2];
        for (const bool byKey : {false, true}) {
            QGuiApplication::clipboard()->setText(QStringLiteral("42"));
            Windows calc;
            QVERIFY(QTest::qWaitForWindowActive(calc.window));
            calc.ShowStack();
            calc.window->findChild<QWidget*>(focus)->setFocus();
            Settle();
            if (byKey) {
                Press(KeystrokeOf(row->key));
            } else {
                QTest::mouseClick(calc.window->Button(row->name), Qt::LeftButton);
                Settle();
            }
            outcomes[byKey] = calc.Outcome();
        }
        QCOMPARE(outcomes[1], outcomes[0]);
    }

    void altNeverTypesIntoX_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const auto add = [](const char* name, int key, Qt::KeyboardModifiers m, QString text,
                            const char* expected) {
            QTest::newRow(name) << key << static_cast<int>(m) << text
                                << QString::fromLatin1(expected);
        };
        // Every Alt combination without a command of its own: nothing happens to X.
        for (const bool shift : {false, true}) {
            // Shift with a digit types a sign: the rows after the loop.
            const QByteArray keys =
                shift ? "ABCDEFGHIJKLMNOPQRSTUVWXYZ" : "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
            for (const char c : keys) {
                const ControlKey key = shift ? AltShiftKey(c) : AltKey(c);
                if (FindControlByKey(key) != nullptr) {
                    continue;
                }
                const QByteArray name = QByteArray::fromStdString(KeyName(key));
                add(name.constData(), c,
                    Qt::AltModifier | (shift ? Qt::ShiftModifier : Qt::NoModifier),
                    shift ? QString(QChar(c)) : QString(QChar(c)).toLower(), "12");
            }
        }
        add("Alt+Shift+1 types !", Qt::Key_Exclam, Qt::AltModifier | Qt::ShiftModifier,
            QStringLiteral("!"), "12");
        add("Alt+period", Qt::Key_Period, Qt::AltModifier, QStringLiteral("."), "12");
        add("Alt+comma", Qt::Key_Comma, Qt::AltModifier, QStringLiteral(","), "12");
        // AltGr is not Alt: the characters it types still reach X.
        add("AltGr+Q types @", Qt::Key_At, Qt::GroupSwitchModifier, QStringLiteral("@"), "12@");
    }

    void altNeverTypesIntoX() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        Windows calc;
        QVERIFY(QTest::qWaitForWindowActive(calc.window));
        MainWindowAccess::Fields(*calc.window).SetFieldText(Field::X, "12");
        MainWindowAccess::Fields(*calc.window).SetCaret(Field::X, 2);
        calc.State().StackLift = false;
        const int beeps = MainWindowAccess::BeepCount(*calc.window);
        Press({static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers), text});
        QCOMPARE(QString::fromStdString(MainWindowAccess::Fields(*calc.window).FieldText(Field::X)),
                 expected);
        QCOMPARE(MainWindowAccess::BeepCount(*calc.window), beeps);
        QCOMPARE(rpn::StateOf(calc.window->calculator()).Y, rpn::Register{0});
    }

    // A held key reaches the window as repeated presses, with or without the toolkit's mark,
    // and, unless the server holds them back, repeated releases: one command all the same.
    void heldKeyRunsOnce_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        // 'p' press, 'P' press marked as repeated, 'r' release, 'R' release marked as repeated,
        // 'u' a press with the modifiers let go while the key repeats.
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("x");
        const struct {
            const char* name;
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            const char* events;
            const char* x;
        } rows[] = {
            {"Alt+R once", Qt::Key_R, Qt::AltModifier, "pr", "2"},
            {"Alt+R held, repeats marked", Qt::Key_R, Qt::AltModifier, "pPPr", "2"},
            {"Alt+R held, repeats unmarked", Qt::Key_R, Qt::AltModifier, "pppr", "2"},
            {"Alt+R held, release pairs", Qt::Key_R, Qt::AltModifier, "pRPRPr", "2"},
            {"Alt+R held, Alt let go first", Qt::Key_R, Qt::AltModifier, "pPuur", "2"},
            {"Alt+R twice", Qt::Key_R, Qt::AltModifier, "prpr", "3"},
            {"Down once", Qt::Key_Down, Qt::NoModifier, "pr", "2"},
            {"Down held, repeats unmarked", Qt::Key_Down, Qt::NoModifier, "pppr", "2"},
            {"Down held, release pairs", Qt::Key_Down, Qt::NoModifier, "pRPRPr", "2"},
            {"Down twice", Qt::Key_Down, Qt::NoModifier, "prpr", "3"},
            {"Page Down held", Qt::Key_PageDown, Qt::NoModifier, "pRPRPr", "-1"},
            {"Page Down twice", Qt::Key_PageDown, Qt::NoModifier, "prpr", "1"},
        };
        for (const auto& r : rows) {
            QTest::newRow(r.name) << static_cast<int>(r.key) << static_cast<int>(r.modifiers)
                                  << QString::fromLatin1(r.events) << QString::fromLatin1(r.x);
        }
    }

    void heldKeyRunsOnce() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, events);
        QFETCH(QString, x);
        Windows calc;
        QVERIFY(QTest::qWaitForWindowActive(calc.window));
        calc.State().X = 1;
        calc.State().Y = 2;
        calc.State().Z = 3;
        calc.State().T = 4;
        calc.window->calculator().RefreshDisplay();
        const auto m = Qt::KeyboardModifiers(modifiers);
        const QString text = m ? QStringLiteral("r") : QString();
        // The key's place on the keyboard, as the X server numbers it.
        constexpr quint32 kScanCode = 27;
        for (const QChar e : events) {
            const QEvent::Type type =
                e.toLower() == QLatin1Char('r') ? QEvent::KeyRelease : QEvent::KeyPress;
            const bool letGo = e == QLatin1Char('u');
            QKeyEvent event(type, key, letGo ? Qt::NoModifier : m, kScanCode, 0, 0,
                            letGo ? QStringLiteral("r") : text, e.isUpper());
            QApplication::sendEvent(QApplication::focusWidget(), &event);
        }
        Settle();
        QCOMPARE(QString::fromStdString(MainWindowAccess::Fields(*calc.window).FieldText(Field::X)),
                 x);
    }

    // The Trig/Log controls are hidden in the compact view, but their keys still act on X: the
    // key table promises them in either view.
    void trigKeysActInTheCompactView_data() {
        QTest::addColumn<QString>("control");
        for (const ControlLayout& control : MainWindowControls()) {
            if (control.key && control.top >= kTrigAreaTop) {
                QTest::newRow(control.name) << QString::fromLatin1(control.name);
            }
        }
    }

    void trigKeysActInTheCompactView() {
        QFETCH(QString, control);
        const ControlLayout* row = FindControl(control.toStdString());
        QVERIFY(row);
        Windows calc;
        QVERIFY(QTest::qWaitForWindowActive(calc.window));
        calc.ShowStack();
        QVERIFY(!MainWindowAccess::TrigPanelShown(*calc.window));
        QVERIFY(!calc.window->Button(row->name)->isVisible());
        const QStringList before = calc.Outcome();
        Press(KeystrokeOf(row->key));
        const QStringList after = calc.Outcome();
        QVERIFY2(after != before, "the key did nothing");
        QCOMPARE(MainWindowAccess::BeepCount(*calc.window), 0);
        QVERIFY(!MainWindowAccess::TrigPanelShown(*calc.window));
    }

    void keysWorkOverTheKeypad() {
        Windows calc;
        QVERIFY(QTest::qWaitForWindowActive(calc.window));
        calc.ShowStack();
        const std::string x = MainWindowAccess::Fields(*calc.window).FieldText(Field::X);
        // The keypad never takes the keyboard; a window manager that forces it there still
        // delivers the key to the keypad window.
        calc.keys->show();
        QTest::sendKeyEvent(QTest::Press, calc.keys, Qt::Key_R, QStringLiteral("r"),
                            Qt::AltModifier);
        QTest::sendKeyEvent(QTest::Release, calc.keys, Qt::Key_R, QStringLiteral("r"),
                            Qt::AltModifier);
        Settle();
        QCOMPARE(MainWindowAccess::Fields(*calc.window).FieldText(Field::X), std::string("2"));
        QCOMPARE(MainWindowAccess::Fields(*calc.window).FieldText(Field::T), x);
    }

    void accessibleKeyBindingNamesTheKey_data() {
        QTest::addColumn<bool>("captionsChanged");
        QTest::newRow("as started") << false;
        // A button's new caption must not take its key away from assistive technology.
        QTest::newRow("Top and Trig captions changed") << true;
    }

    void accessibleKeyBindingNamesTheKey() {
        QFETCH(bool, captionsChanged);
        Windows calc;
        if (captionsChanged) {
            for (const char* name : {"Buttontop", "ButtonSmall"}) {
                QTest::mouseClick(calc.window->Button(name), Qt::LeftButton);
            }
            Settle();
        }
        for (const ControlLayout& control : MainWindowControls()) {
            if (!control.key) {
                continue;
            }
            QAccessibleInterface* button =
                QAccessible::queryAccessibleInterface(calc.window->Button(control.name));
            QVERIFY2(button && button->actionInterface(), control.name);
            const QStringList bindings = button->actionInterface()->keyBindingsForAction(
                QAccessibleActionInterface::pressAction());
            QVERIFY2(bindings.contains(QString::fromStdString(KeyName(control.key))),
                     qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(control.name),
                                                             bindings.join(QLatin1Char(' ')))));
        }
    }
};

QTEST_MAIN(ControlKeysTest)
#include "control_keys_test.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader is told about the calculator's windows, in the compact and the large
// view, with the keypad down and up.
#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QtTest>
#include <string_view>

#include "engine/register.h"
#include "layout/main_window_layout.h"
#include "tests/ui/main_window_access.h"
#include "tests/ui/window_test_support.h"
#include "ui/register_edit.h"

using namespace rpn::ui;

namespace {

QAccessibleInterface* Accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { rpn::InitialiseRegisterArithmetic(); }

    void eachWindowIsAWindow_data() {
        QTest::addColumn<bool>("keypad");
        QTest::newRow("main window") << false;
        QTest::newRow("keypad window") << true;
    }

    void eachWindowIsAWindow() {
        QFETCH(bool, keypad);
        testing::ShownCalculator calc(1.0);
        if (keypad) {
            calc.window->ToggleKeypad();
        }
        QWidget* shown = keypad ? static_cast<QWidget*>(calc.keypad) : calc.window;
        QAccessibleInterface* window = Accessible(shown);
        QVERIFY(window);
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), shown->windowTitle());
        QVERIFY(window->childCount() > 0);
    }

    void trigAreaIsThereOnlyInTheLargeView_data() {
        QTest::addColumn<int>("smallClicks");
        QTest::addColumn<bool>("large");
        QTest::newRow("compact at start") << 0 << false;
        QTest::newRow("large") << 1 << true;
        QTest::newRow("compact again") << 2 << false;
    }
    void trigAreaIsThereOnlyInTheLargeView() {
        QFETCH(int, smallClicks);
        QFETCH(bool, large);
        testing::ShownCalculator calc(1.0);
        for (int i = 0; i < smallClicks; ++i) {
            calc.window->Button("ButtonSmall")->click();
        }
        QCOMPARE(MainWindowAccess::TrigPanelShown(*calc.window), large);
        int trigControls = 0;
        for (const ControlLayout& control : MainWindowControls()) {
            auto* widget = calc.window->findChild<QWidget*>(QString::fromLatin1(control.name));
            QVERIFY2(widget, control.name);
            // Below the compact window's lower edge lie only the Trig/Log rows.
            const bool cutOff = control.top >= kTrigAreaTop;
            const bool shown = !cutOff || large;
            const QAccessible::State state = Accessible(widget)->state();
            QVERIFY2(widget->isVisible() == shown, control.name);
            QVERIFY2(state.invisible == !shown, control.name);
            if (shown) {
                QVERIFY2(widget->geometry().bottom() < calc.window->height(), control.name);
            }
            trigControls += cutOff ? 1 : 0;
        }
        // The thirteen functions and the angle mode.
        QCOMPARE(trigControls, 14);
    }

    void registerFieldsSayWhetherTheyTakeTyping_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<bool>("typedInto");
        QTest::newRow("X") << static_cast<int>(rpn::Field::X) << true;
        QTest::newRow("Y") << static_cast<int>(rpn::Field::Y) << false;
        QTest::newRow("Z") << static_cast<int>(rpn::Field::Z) << false;
        QTest::newRow("T") << static_cast<int>(rpn::Field::T) << false;
    }
    void registerFieldsSayWhetherTheyTakeTyping() {
        QFETCH(int, field);
        QFETCH(bool, typedInto);
        testing::ShownCalculator calc(1.0);
        RegisterEdit* edit = calc.window->Edit(static_cast<rpn::Field>(field));
        edit->setText(QStringLiteral("12.5"));
        QAccessibleInterface* iface = Accessible(edit);
        QCOMPARE(iface->role(), QAccessible::EditableText);
        QCOMPARE(iface->state().editable, typedInto);
        QCOMPARE(iface->state().readOnly, !typedInto);
        QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("12.5"));
        // The value can be read and selected for copying either way.
        QAccessibleTextInterface* text = iface->textInterface();
        QVERIFY(text);
        QCOMPARE(text->characterCount(), 4);
        QCOMPARE(text->text(1, 3), QStringLiteral("2."));
        text->setSelection(0, 1, 3);
        QCOMPARE(edit->selectedText(), QStringLiteral("2."));
        int start = -1;
        int end = -1;
        text->selection(0, &start, &end);
        QCOMPARE(start, 1);
        QCOMPARE(end, 3);
        QVERIFY(iface->editableTextInterface() == nullptr || typedInto);
    }

    void controlsWithoutHintAreDescribed_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("description");
        QTest::newRow("Enter") << "ButtonE"
                               << "Push X onto the stack";
        QTest::newRow("sin") << "Buttonsin"
                             << "X = sin(X)";
        QTest::newRow("atan") << "Buttonatan"
                              << "X = atan(X)";
        QTest::newRow("ln") << "Buttonln"
                            << "X = ln(X)";
        QTest::newRow("10^x") << "Button10X"
                              << "X = 10^X";
        QTest::newRow("a hinted control keeps its hint") << "ButtonSTO"
                                                         << "Store M=X";
    }
    void controlsWithoutHintAreDescribed() {
        QFETCH(QString, control);
        QFETCH(QString, description);
        testing::ShownCalculator calc(1.0);
        auto* widget = calc.window->findChild<QWidget*>(control);
        QVERIFY(widget);
        QCOMPARE(Accessible(widget)->text(QAccessible::Description), description);
    }

    void everyButtonSaysWhatItDoes() {
        testing::ShownCalculator calc(1.0);
        for (const ControlLayout& control : MainWindowControls()) {
            if (control.action.command == Command::None) {
                continue;
            }
            QAccessibleInterface* iface = Accessible(calc.window->Button(control.name));
            QVERIFY2(!iface->text(QAccessible::Name).isEmpty(), control.name);
            QVERIFY2(!iface->text(QAccessible::Description).isEmpty(), control.name);
        }
    }

    void keypadStateFollowsItsWindow_data() {
        QTest::addColumn<int>("toggles");
        QTest::addColumn<bool>("shown");
        QTest::newRow("never shown") << 0 << false;
        QTest::newRow("shown") << 1 << true;
        QTest::newRow("hidden again") << 2 << false;
    }
    void keypadStateFollowsItsWindow() {
        QFETCH(int, toggles);
        QFETCH(bool, shown);
        testing::ShownCalculator calc(1.0);
        for (int i = 0; i < toggles; ++i) {
            calc.window->ToggleKeypad();
        }
        QCOMPARE(calc.keypad->isVisible(), shown);
        QCOMPARE(Accessible(calc.keypad)->state().invisible, !shown);
        auto* seven = calc.keypad->findChild<QAbstractButton*>(QStringLiteral("SpeedButton7"));
        QCOMPARE(Accessible(seven)->state().invisible, !shown);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"

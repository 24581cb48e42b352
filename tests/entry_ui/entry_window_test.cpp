// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAbstractButton>
#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "engine/register.h"
#include "entry/entry_text_limit.h"
#include "tests/engine/state_access.h"
#include "tests/ui/main_window_access.h"
#include "ui/calculator_windows.h"
#include "ui/keypad_buttons.h"
#include "ui/keypad_window.h"
#include "ui/main_window.h"
#include "ui/message_boxes.h"
#include "ui/paste_source.h"
#include "ui/register_edit.h"

using rpn::Field;
using namespace rpn::ui;

namespace {

class SilentBoxes : public MessageBoxes {
  public:
    int shown = 0;
    void ShowStop(QWidget*, const QString&, const QString&) override { ++shown; }
    bool AskYesNo(QWidget*, const QString&, const QString&) override { return false; }
};

void SetClipboard(const QString& text) {
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

QString Clipboard() {
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard);
}

// The clipboard, the primary selection and drops as a test sets them: what each way of
// pasting receives shows which reader it went through. Nothing stands for a refusal (a text
// too long, or an owner that did not answer).
class FakePasteSource : public PasteSource {
  public:
    std::optional<std::string> offered;
    int reads = 0;

    std::optional<std::string> Text() override { return Read(); }
    void SetText(const std::string& text) override { offered = text; }
    std::optional<std::string> SelectionText() override { return Read(); }
    std::optional<std::string> DroppedText(const QMimeData&, bool) override { return Read(); }

  private:
    std::optional<std::string> Read() {
        ++reads;
        return offered;
    }
};

// The ways text can be pasted or dropped into the X field.
enum class PasteWay { CtrlV, CtrlShiftV, ShiftInsert, MiddleClick, ContextMenu, Drop, Button };

const char* PasteWayName(PasteWay way) {
    switch (way) {
        case PasteWay::CtrlV:
            return "Ctrl+V";
        case PasteWay::CtrlShiftV:
            return "Ctrl+Shift+V";
        case PasteWay::ShiftInsert:
            return "Shift+Insert";
        case PasteWay::MiddleClick:
            return "middle-click";
        case PasteWay::ContextMenu:
            return "context menu";
        case PasteWay::Drop:
            return "drop";
        case PasteWay::Button:
            return "Paste button";
    }
    return "";
}

}  // namespace

// The main window and the keypad window driven by real key and mouse events, so that the
// order in which a keystroke reaches the handlers is part of what is tested.
class EntryWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    SilentBoxes boxes_;
    std::unique_ptr<CalculatorWindows> windows_;
    MainWindow* window_ = nullptr;
    KeypadWindow* keys_ = nullptr;
    FakePasteSource pasteSource_;
    bool useFakePasteSource_ = false;

    rpn::CalculatorState& State() { return rpn::StateOf(window_->calculator()); }
    RegisterEdit* Edit(Field f) { return window_->Edit(f); }
    QString Text(Field f) { return Edit(f)->text(); }

    // Lets the window system deliver what the last steps asked for (activation, focus).
    static void Settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
        }
    }

    // The program's two windows, shown, with a stack of Y = 2, Z = 3, T = 4 and X showing
    // `x` as a fresh result.
    void Start(const QString& x = QStringLiteral("1")) {
        MainWindowOptions options;
        options.layoutScale = 1.0;
        options.programPath =
            QFile::encodeName(dir_->filePath(QStringLiteral("rpncalc"))).toStdString();
        options.messageBoxes = &boxes_;
        if (useFakePasteSource_) {
            options.pasteSource = &pasteSource_;
        }
        windows_ = std::make_unique<CalculatorWindows>(options);
        window_ = &windows_->main();
        keys_ = &windows_->keypad();
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_));
        ShowResult(x);
    }

    void ShowResult(const QString& x) {
        auto& calc = window_->calculator();
        StateOf(calc).Y = 2;
        StateOf(calc).Z = 3;
        StateOf(calc).T = 4;
        Edit(Field::X)->setText(x);
        QVERIFY(calc.CommitX());
        calc.RefreshDisplay();
        Settle();
        QCOMPARE(QApplication::focusWidget(), Edit(Field::X));
        QVERIFY(State().StackLift);
    }

    // A keystroke to whatever control has the focus, as the keyboard would deliver it.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focused = window_->focusWidget();
        QVERIFY(focused);
        QTest::keyClick(focused, key, modifiers);
    }
    void Keys(const char* sequence) {
        QWidget* focused = window_->focusWidget();
        QVERIFY(focused);
        QTest::keyClicks(focused, QString::fromLatin1(sequence));
    }

    // Pastes into X the way `way` does; a drop and a middle-click land at the text's end.
    void PasteBy(PasteWay way) {
        RegisterEdit* x = Edit(Field::X);
        const QPoint end(x->width() - 4, x->height() / 2);
        switch (way) {
            case PasteWay::CtrlV:
                return Key(Qt::Key_V, Qt::ControlModifier);
            case PasteWay::CtrlShiftV:
                return Key(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
            case PasteWay::ShiftInsert:
                return Key(Qt::Key_Insert, Qt::ShiftModifier);
            case PasteWay::MiddleClick:
                return QTest::mouseClick(x, Qt::MiddleButton, Qt::NoModifier, end);
            case PasteWay::ContextMenu: {
                std::unique_ptr<QMenu> menu(x->CreateContextMenu());
                auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
                QVERIFY(paste);
                QVERIFY(paste->isEnabled());
                paste->trigger();
                return;
            }
            case PasteWay::Drop: {
                QMimeData data;
                data.setText(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
                // The toolkit delivers a drop only where the drag was taken.
                QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                QCoreApplication::sendEvent(x, &enter);
                QVERIFY(enter.isAccepted());
                QDropEvent drop(QPointF(end), Qt::CopyAction, &data, Qt::LeftButton,
                                Qt::NoModifier);
                QCoreApplication::sendEvent(x, &drop);
                return;
            }
            case PasteWay::Button:
                return window_->Button("ButtonPaste")->click();
        }
    }

    void Click(const char* name) {
        QAbstractButton* button = window_->Button(name);
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
        Settle();
    }
    void ClickKeypad(const char* name) {
        auto* button = keys_->findChild<QToolButton*>(QString::fromLatin1(name));
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
        Settle();
    }

  private slots:
    void init() {
        rpn::InitialiseRegisterArithmetic();
        useFakePasteSource_ = false;
        pasteSource_ = FakePasteSource();
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        boxes_.shown = 0;
        QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
    }

    void cleanup() {
        windows_.reset();
        dir_.reset();
    }

    void typingThreeEnterFourPlusShowsSeven() {
        Start(QStringLiteral("0"));
        Keys("3");
        Key(Qt::Key_Return);
        Keys("4+");
        QCOMPARE(Text(Field::X), QStringLiteral("7"));
        QVERIFY(State().StackLift);
        QCOMPARE(Edit(Field::X)->selectedText(), QStringLiteral("7"));
    }

    void digitsAfterAResultLiftItAndBackspaceEmptiesX() {
        Start(QStringLiteral("1.5"));
        Keys("8");
        QCOMPARE(Text(Field::X), QStringLiteral("8"));
        QCOMPARE(Text(Field::Y), QStringLiteral("1.5"));

        ShowResult(QStringLiteral("6"));
        Key(Qt::Key_Backspace);
        QCOMPARE(Text(Field::X), QString());
        QCOMPARE(Text(Field::Y), QStringLiteral("6"));
    }

    // Every way of typing reaches the entry's limit and stops there with a beep: the line
    // edit's own maximum would cut the text silently, and an input method commits its text
    // past the keyboard's road.
    void typingStopsAtTheEntryLimitWithABeep_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("room");
        for (const char* way : {"digit key", "wide character", "keypad", "input method"}) {
            QTest::addRow("%s into the last place", way) << QString::fromLatin1(way) << 1;
            QTest::addRow("%s into a full entry", way) << QString::fromLatin1(way) << 0;
        }
    }
    void typingStopsAtTheEntryLimitWithABeep() {
        QFETCH(QString, way);
        QFETCH(int, room);
        Start();
        Click("Button1");
        const QString before(static_cast<int>(rpn::kEntryTextLimit) - room, QLatin1Char('1'));
        Edit(Field::X)->setText(before);
        Click("Buttonedit");
        const int beeps = MainWindowAccess::BeepCount(*window_);

        if (way == QLatin1String("digit key")) {
            Keys("7");
        } else if (way == QLatin1String("wide character")) {
            QTest::sendKeyEvent(QTest::Click, Edit(Field::X), Qt::Key_unknown,
                                QStringLiteral("\u20ac"), Qt::NoModifier);
        } else if (way == QLatin1String("keypad")) {
            ClickKeypad("SpeedButton8");
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QStringLiteral("7"));
            QCoreApplication::sendEvent(Edit(Field::X), &commit);
        }

        QCOMPARE(Text(Field::X).size(), static_cast<qsizetype>(rpn::kEntryTextLimit));
        QVERIFY(Text(Field::X).startsWith(before));
        QCOMPARE(MainWindowAccess::BeepCount(*window_), beeps + (room == 0 ? 1 : 0));
    }

    void aCharacterBeyondOneByteIsTypedAsAQuestionMark() {
        Start(QStringLiteral("6"));
        QTest::sendKeyEvent(QTest::Click, Edit(Field::X), Qt::Key_unknown, QStringLiteral("\u20ac"),
                            Qt::NoModifier);
        QCOMPARE(Text(Field::X), QStringLiteral("?"));
        QCOMPARE(Text(Field::Y), QStringLiteral("6"));
    }

    void ctrlVWhileYHasTheFocusPastesIntoX() {
        Start(QStringLiteral("12.5"));
        Click("Buttonedit");
        Edit(Field::X)->setCursorPosition(2);
        SetClipboard(QStringLiteral("7"));
        Edit(Field::Y)->setFocus();
        Settle();
        QCOMPARE(window_->focusWidget(), Edit(Field::Y));

        Key(Qt::Key_V, Qt::ControlModifier);

        QCOMPARE(Text(Field::X), QStringLiteral("127.5"));
        QCOMPARE(Edit(Field::X)->cursorPosition(), 2);
        QCOMPARE(Text(Field::Y), QStringLiteral("2"));
    }

    // Up to the paste limit every character arrives (far beyond the line edit's own 32767);
    // one more, and the paste is refused with a beep, whichever way it is asked for.
    void longClipboardTextsUpToTheLimit_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<PasteWay>("way");
        QTest::addColumn<bool>("taken");
        const int limit = static_cast<int>(rpn::kEntryTextLimit);
        for (const PasteWay way : {PasteWay::CtrlV, PasteWay::CtrlShiftV, PasteWay::ShiftInsert,
                                   PasteWay::ContextMenu, PasteWay::Button}) {
            QTest::addRow("%s at the limit", PasteWayName(way)) << limit << way << true;
            QTest::addRow("%s past the limit", PasteWayName(way)) << limit + 1 << way << false;
        }
        // A drop lands beside the entry's one character.
        QTest::addRow("drop up to the limit") << limit - 1 << PasteWay::Drop << true;
        QTest::addRow("drop past the limit") << limit << PasteWay::Drop << false;
    }
    void longClipboardTextsUpToTheLimit() {
        QFETCH(int, length);
        QFETCH(PasteWay, way);
        QFETCH(bool, taken);
        Start(QStringLiteral("5"));
        const QString longText = QStringLiteral("0.") + QString(length - 2, QLatin1Char('1'));
        SetClipboard(longText);
        const int beeps = MainWindowAccess::BeepCount(*window_);

        PasteBy(way);

        if (!taken) {
            QCOMPARE(MainWindowAccess::BeepCount(*window_), beeps + 1);
            QCOMPARE(Text(Field::X), QStringLiteral("5"));
        } else if (way == PasteWay::Button) {
            QCOMPARE(Text(Field::X), QStringLiteral(".111111111111"));
            QCOMPARE(Text(Field::Y), QStringLiteral("5"));
        } else if (way == PasteWay::Drop) {
            QCOMPARE(Text(Field::X), QStringLiteral("5") + longText);
        } else {
            QCOMPARE(Text(Field::X), longText);
        }
    }

    // Every way into the X field reads through the one paste source: its refusal (a text too
    // long, an owner that does not answer) is a beep with nothing changed, as is a text that
    // would make the entry longer than the limit; what it offers is what arrives, whatever
    // the toolkit's own clipboard holds.
    void everyPasteWayReadsThroughThePasteSource_data() {
        QTest::addColumn<PasteWay>("way");
        QTest::addColumn<QString>("offered");
        QTest::addColumn<QString>("expected");
        const QString tooLong(static_cast<int>(rpn::kEntryTextLimit) + 1, QLatin1Char('1'));
        for (const PasteWay way :
             {PasteWay::CtrlV, PasteWay::CtrlShiftV, PasteWay::ShiftInsert, PasteWay::MiddleClick,
              PasteWay::ContextMenu, PasteWay::Drop, PasteWay::Button}) {
            const char* name = PasteWayName(way);
            // A null text: the source refused.
            QTest::addRow("%s, refused", name) << way << QString() << QStringLiteral("5");
            QTest::addRow("%s, past the limit", name) << way << tooLong << QStringLiteral("5");
            const bool beside = way == PasteWay::MiddleClick || way == PasteWay::Drop;
            QTest::addRow("%s, taken", name)
                << way << QStringLiteral("7") << QString::fromLatin1(beside ? "57" : "7");
        }
    }
    void everyPasteWayReadsThroughThePasteSource() {
        QFETCH(PasteWay, way);
        QFETCH(QString, offered);
        QFETCH(QString, expected);
        useFakePasteSource_ = true;
        if (!offered.isNull()) {
            pasteSource_.offered = offered.toStdString();
        }
        Start(QStringLiteral("5"));
        SetClipboard(QStringLiteral("999"));
        const int beeps = MainWindowAccess::BeepCount(*window_);
        const int reads = pasteSource_.reads;

        PasteBy(way);

        QCOMPARE(pasteSource_.reads, reads + 1);
        QCOMPARE(Text(Field::X), expected);
        const bool refused = expected == QLatin1String("5");
        QCOMPARE(MainWindowAccess::BeepCount(*window_), beeps + (refused ? 1 : 0));
        if (refused) {
            QCOMPARE(Text(Field::Y), QStringLiteral("2"));
            QVERIFY(State().StackLift);
        }
    }

    // A paste key held down: each paste that would make the entry longer than the limit is
    // refused, so the entry never grows beyond what one paste may bring.
    void repeatedPastesNeverGrowTheEntryPastTheLimit_data() {
        QTest::addColumn<PasteWay>("way");
        QTest::addColumn<int>("beeps");
        // Ctrl+Shift+V pastes over the whole entry every time.
        QTest::addRow("Ctrl+V") << PasteWay::CtrlV << 2;
        QTest::addRow("Ctrl+Shift+V") << PasteWay::CtrlShiftV << 0;
        QTest::addRow("Shift+Insert") << PasteWay::ShiftInsert << 2;
        QTest::addRow("context menu") << PasteWay::ContextMenu << 2;
        QTest::addRow("middle-click") << PasteWay::MiddleClick << 3;
        QTest::addRow("drop") << PasteWay::Drop << 3;
    }
    void repeatedPastesNeverGrowTheEntryPastTheLimit() {
        QFETCH(PasteWay, way);
        QFETCH(int, beeps);
        useFakePasteSource_ = true;
        pasteSource_.offered = std::string(rpn::kEntryTextLimit, '1');
        Start(QStringLiteral("5"));
        const int before = MainWindowAccess::BeepCount(*window_);
        for (int i = 0; i < 3; ++i) {
            PasteBy(way);
            QVERIFY(static_cast<std::size_t>(Text(Field::X).size()) <= rpn::kEntryTextLimit);
        }
        QCOMPARE(MainWindowAccess::BeepCount(*window_), before + beeps);
    }

    void ctrlXCutsOnceAndCtrlCCopiesTheEnteredRegister() {
        Start(QStringLiteral("12.5"));
        Edit(Field::X)->setSelection(1, 2);
        Key(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(Clipboard(), QStringLiteral("2."));
        QCOMPARE(Text(Field::X), QStringLiteral("15"));

        // Entering Z serves one copy; the Z field's own copy then finds nothing to copy.
        QTest::mouseClick(Edit(Field::Z), Qt::LeftButton);
        Settle();
        QCOMPARE(window_->focusWidget(), Edit(Field::Z));
        Key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), QStringLiteral("3"));
        Key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), QStringLiteral("15"));
    }

    // A key that the focused button leaves alone travels on to the window: the copy must
    // still happen once, from the field that was entered.
    void ctrlCWhileAButtonHasTheFocusCopiesOnce() {
        Start(QStringLiteral("12.5"));
        QTest::mouseClick(Edit(Field::T), Qt::LeftButton);
        window_->Button("Button1")->setFocus();
        Settle();
        QCOMPARE(window_->focusWidget(), window_->Button("Button1"));
        Key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), QStringLiteral("4"));
        QVERIFY(!window_->keypad().KeypadShown);
    }

    void ctrlShiftVPastesOverTheWholeEntryAndLiftsAResult() {
        Start(QStringLiteral("12.5"));
        SetClipboard(QStringLiteral("7"));
        Key(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Text(Field::X), QStringLiteral("7"));
        QCOMPARE(Text(Field::Y), QStringLiteral("12.5"));
        QVERIFY(State().StackLift);
    }

    void heldDownArrowRollsOnceAtTheRelease() {
        Start(QStringLiteral("1"));
        QWidget* x = Edit(Field::X);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(x, &press);
        for (int i = 0; i < 3; ++i) {
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(x, &release);
            QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(x, &repeat);
        }
        QCOMPARE(Text(Field::X), QStringLiteral("1"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(x, &release);

        QCOMPARE(Text(Field::X), QStringLiteral("2"));
        QCOMPARE(Text(Field::Y), QStringLiteral("3"));
        QCOMPARE(Text(Field::T), QStringLiteral("1"));
    }

    void pageKeysChangeTheSigns() {
        Start(QStringLiteral("2.5"));
        Key(Qt::Key_PageDown);
        QCOMPARE(Text(Field::X), QStringLiteral("-2.5"));
        Key(Qt::Key_PageUp);
        QCOMPARE(Text(Field::X), QStringLiteral("-2.5E+0000"));
        QVERIFY(!State().StackLift);
    }

    void copyAndPasteButtonsExchangeThroughTheClipboard() {
        Start(QStringLiteral("1"));
        Click("Buttonedit");
        Edit(Field::X)->setText(QStringLiteral("1,50"));
        Click("ButtonCOPY");
        QCOMPARE(Clipboard(), QStringLiteral("1.5"));
        QCOMPARE(Text(Field::X), QStringLiteral("1,50"));

        SetClipboard(QStringLiteral("12.5 kg"));
        Click("ButtonPaste");
        QCOMPARE(Text(Field::X), QStringLiteral("12.5"));
        QCOMPARE(Text(Field::Y), QStringLiteral("1.5"));
    }

    void pasteOfAClipboardWithoutTextBeeps() {
        Start(QStringLiteral("1"));
        auto* data = new QMimeData;
        data->setImageData(QImage(2, 2, QImage::Format_RGB32));
        QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);
        const int beeps = MainWindowAccess::BeepCount(*window_);
        Click("ButtonPaste");
        QCOMPARE(MainWindowAccess::BeepCount(*window_), beeps + 1);
        QCOMPARE(Text(Field::Y), QStringLiteral("2"));
    }

    void keypadWindowAsDesigned() {
        Start();
        QCOMPARE(keys_->windowTitle(), QStringLiteral("RPN KEYS"));
        QCOMPARE(keys_->size(), QSize(146, 105));
        QVERIFY(keys_->windowFlags().testFlag(Qt::Tool));
        QVERIFY(keys_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(keys_->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
        const struct {
            const char* name;
            int left, top;
            const char* caption;
            const char* spoken;
        } kKeys[] = {
            {"SpeedButton7", 8, 8, "7", "7"},   {"SpeedButton8", 43, 8, "8", "8"},
            {"SpeedButton9", 77, 8, "9", "9"},  {"SpeedButton10", 112, 8, "0", "0"},
            {"SpeedButton4", 8, 40, "4", "4"},  {"SpeedButton5", 43, 40, "5", "5"},
            {"SpeedButton6", 77, 40, "6", "6"}, {"SpeedButton11", 112, 40, "", "decimal point"},
            {"SpeedButton1", 8, 72, "1", "1"},  {"SpeedButton2", 43, 72, "2", "2"},
            {"SpeedButton3", 77, 72, "3", "3"}, {"SpeedButton12", 112, 72, "", "minus"},
        };
        for (const auto& k : kKeys) {
            auto* button = keys_->findChild<QToolButton*>(QString::fromLatin1(k.name));
            QVERIFY2(button, k.name);
            QCOMPARE(button->geometry(), QRect(k.left, k.top, 25, 25));
            QCOMPARE(button->focusPolicy(), Qt::NoFocus);
            QCOMPARE(button->text(), QString::fromLatin1(k.caption));
            QVERIFY2(button->font().bold(), k.name);
            QCOMPARE(button->accessibleName(), QString::fromLatin1(k.spoken));
        }
    }

    void keypadGlyphsAreTheDesignedBitmaps() {
        const struct {
            char key;
            const char* rows[8];
        } kGlyphs[] = {
            {'.',
             {"........", "........", "...##...", "..####..", "..####..", "...##...", "........",
              "........"}},
            {'-',
             {"........", "........", "########", "########", "########", "........", "........",
              "........"}},
        };
        for (const auto& g : kGlyphs) {
            const QImage image = KeypadGlyph(g.key, 1.0).toImage();
            QCOMPARE(image.size(), QSize(8, 8));
            for (int row = 0; row < 8; ++row) {
                for (int column = 0; column < 8; ++column) {
                    const QColor pixel = image.pixelColor(column, row);
                    if (g.rows[row][column] == '#') {
                        QCOMPARE(pixel, QColor(Qt::black));
                    } else {
                        QCOMPARE(pixel.alpha(), 0);
                    }
                }
            }
        }
    }

    void keypadButtonAfterAResultStartsANewNumber() {
        Start(QStringLiteral("3.5"));
        Click("Button1");
        QVERIFY(keys_->isVisible());
        ClickKeypad("SpeedButton8");
        QCOMPARE(Text(Field::X), QStringLiteral("8"));
        QCOMPARE(Text(Field::Y), QStringLiteral("3.5"));
        ClickKeypad("SpeedButton11");
        QCOMPARE(Text(Field::X), QStringLiteral("8."));
        QVERIFY(!State().StackLift);
    }

    // The key lands at the caret, and the keyboard stays with the main window.
    void keypadMinusGoesWhereTheCaretIs() {
        Start(QStringLiteral("5"));
        Click("Button1");
        Click("Buttonedit");
        const struct {
            int caret;
            const char* after;
        } kCases[] = {{0, "-5"}, {1, "5-"}};
        for (const auto& c : kCases) {
            Edit(Field::X)->setText(QStringLiteral("5"));
            Edit(Field::X)->setCursorPosition(c.caret);
            ClickKeypad("SpeedButton12");
            QCOMPARE(Text(Field::X), QString::fromLatin1(c.after));
            QCOMPARE(Edit(Field::X)->cursorPosition(), c.caret + 1);
            QVERIFY(!Edit(Field::X)->hasSelectedText());
            QVERIFY(!State().StackLift);
            QCOMPARE(QGuiApplication::focusWindow(), window_->windowHandle());
        }
    }

    // A key of the keyboard that reaches the keypad window (a window manager that focused it
    // all the same) does what it does typed into X, from a shown result or from an entry.
    void keyReachingTheKeypadGoesTheXFieldsWay_data() {
        QTest::addColumn<bool>("editing");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("y");
        QTest::addColumn<bool>("keypadShown");
        const QList<int> oneTwo{Qt::Key_1, Qt::Key_2};
        QTest::newRow("digits after a result") << false << oneTwo << "12"
                                               << "3.5" << true;
        QTest::newRow("digits in an entry") << true << oneTwo << "3.512"
                                            << "2" << true;
        QTest::newRow("backspace edits") << true << QList<int>{Qt::Key_Backspace} << "3."
                                         << "2" << true;
        QTest::newRow("plus adds") << false << QList<int>{Qt::Key_Plus} << "5.5"
                                   << "3" << true;
        QTest::newRow("enter pushes") << false << QList<int>{Qt::Key_Return} << "3.5"
                                      << "3.5" << true;
        QTest::newRow("esc hides the keypad") << false << QList<int>{Qt::Key_Escape} << "3.5"
                                              << "2" << false;
    }
    void keyReachingTheKeypadGoesTheXFieldsWay() {
        QFETCH(bool, editing);
        QFETCH(QList<int>, keys);
        Start(QStringLiteral("3.5"));
        Click("Button1");
        if (editing) {
            Click("Buttonedit");
        }
        for (const int key : keys) {
            QTest::keyClick(keys_, static_cast<Qt::Key>(key));
        }
        Settle();
        QTEST(Text(Field::X), "x");
        QTEST(Text(Field::Y), "y");
        QTEST(keys_->isVisible(), "keypadShown");
        QCOMPARE(window_->focusWidget(), Edit(Field::X));
        QCOMPARE(QGuiApplication::focusWindow(), window_->windowHandle());
    }

    void pageUpReleasedOnTheKeypadTogglesTheExponentSign() {
        Start(QStringLiteral("3.5"));
        Click("Button1");
        Click("Buttonedit");
        QTest::keyClick(keys_, Qt::Key_PageUp);
        Settle();
        QCOMPARE(Text(Field::X), QStringLiteral("3.5E+0000"));
    }

    void keypadIsOneWindowForTheWholeRun() {
        Start();
        Click("Button1");
        const WId id = keys_->winId();
        Click("Button1");
        QVERIFY(!keys_->isVisible());
        Click("Button1");
        QCOMPARE(keys_->winId(), id);
        keys_->close();
        Settle();
        QVERIFY(!keys_->isVisible());
        Click("Button1");
        QVERIFY(keys_->isVisible());
        QCOMPARE(keys_->winId(), id);
    }

    void minimisedKeypadComesBackWithOneKeysClick() {
        Start();
        Click("Button1");
        keys_->move(150, 90);
        keys_->setWindowState(Qt::WindowMinimized);
        Settle();
        QVERIFY(!window_->keypad().KeypadShown);
        QVERIFY(!keys_->isVisible());
        QCOMPARE(window_->keypad().KeypadPos.left, 150);
        QVERIFY(window_->isVisible());
        QVERIFY(!window_->isMinimized());
        Click("Button1");
        QVERIFY(keys_->isVisible());
        QVERIFY(!keys_->isMinimized());
        QVERIFY(window_->keypad().KeypadShown);
    }

    void keysShowsAtTheRememberedPlaceAndHides() {
        Start();
        Click("Button1");
        QVERIFY(keys_->isVisible());
        QVERIFY(window_->keypad().KeypadShown);
        QCOMPARE(keys_->pos(), QPoint(20, 300));
        QVERIFY(State().StackLift);
        QCOMPARE(window_->focusWidget(), Edit(Field::X));

        keys_->move(150, 90);
        Click("Button1");
        QVERIFY(!keys_->isVisible());
        QVERIFY(!window_->keypad().KeypadShown);
        QCOMPARE(window_->keypad().KeypadPos.top, 90);
        QCOMPARE(window_->keypad().KeypadPos.left, 150);

        Click("Button1");
        QVERIFY(keys_->isVisible());
        QCOMPARE(keys_->pos(), QPoint(150, 90));
    }

    void keysAfterTheCloseBoxShowsTheKeypadAgain() {
        Start();
        Click("Button1");
        keys_->close();
        Settle();
        QVERIFY(!keys_->isVisible());
        QVERIFY(!window_->keypad().KeypadShown);
        Click("Button1");
        QVERIFY(keys_->isVisible());
    }

    void escHidesTheKeypadAndNothingElse() {
        Start(QStringLiteral("4"));
        Click("Button1");
        Key(Qt::Key_Escape);
        QVERIFY(!keys_->isVisible());
        QVERIFY(!window_->keypad().KeypadShown);
        QVERIFY(window_->isVisible());
        QCOMPARE(Text(Field::X), QStringLiteral("4"));

        Key(Qt::Key_Escape);
        QVERIFY(!window_->keypad().KeypadShown);
        QVERIFY(!keys_->isVisible());
    }
};

QTEST_MAIN(EntryWindowTest)
#include "entry_window_test.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "engine/register.h"
#include "layout/main_window_layout.h"
#include "tests/engine/state_access.h"
#include "tests/ui/main_window_access.h"
#include "ui/calculator_windows.h"
#include "ui/glyphs.h"
#include "ui/help_viewer.h"
#include "ui/keypad_window.h"
#include "ui/layout_scale.h"
#include "ui/message_boxes.h"
#include "ui/register_edit.h"

using rpn::Field;
using rpn::Operation;
using namespace rpn::ui;

namespace {

// Records every error box instead of waiting for a click, and lets a test look at the window
// while the box is up.
class RecordingBoxes : public MessageBoxes {
  public:
    struct Shown {
        QString caption;
        QString text;
    };
    std::vector<Shown> shown;
    std::vector<Shown> asked;
    bool answerYes = false;
    std::function<void()> whileShown;

    void ShowStop(QWidget*, const QString& caption, const QString& text) override {
        shown.push_back({caption, text});
        if (whileShown) {
            whileShown();
        }
    }
    bool AskYesNo(QWidget*, const QString& caption, const QString& text) override {
        asked.push_back({caption, text});
        return answerYes;
    }
};

// The designed hint: the tooltip's first line, which the control's key may follow.
QString HintOf(const QWidget* widget) {
    return widget->toolTip().section(QLatin1Char('\n'), 0, 0);
}

QStringList ReadLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    RecordingBoxes boxes_;
    std::unique_ptr<CalculatorWindows> windows_;
    MainWindow* window_ = nullptr;
    KeypadWindow* keys_ = nullptr;

    QString ProgramPath() const { return dir_->filePath(QStringLiteral("rpncalc")); }
    QString SessionPath() const { return dir_->filePath(QStringLiteral("rpncalc.cfg")); }

    // The window as the program builds it, beside a program file in a folder of its own.
    MainWindow& MakeWindow(double scale = 1.0) {
        MainWindowOptions options;
        options.layoutScale = scale;
        options.programPath = QFile::encodeName(ProgramPath()).toStdString();
        options.messageBoxes = &boxes_;
        windows_ = std::make_unique<CalculatorWindows>(options);
        window_ = &windows_->main();
        keys_ = &windows_->keypad();
        return *window_;
    }

    MainWindow& ShowWindow() {
        MainWindow& w = MakeWindow();
        w.show();
        return w;
    }

    void Click(const char* name) {
        QAbstractButton* button = window_->Button(name);
        QVERIFY2(button, name);
        button->click();
    }

  private slots:
    void init() {
        rpn::InitialiseRegisterArithmetic();
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        boxes_.shown.clear();
        boxes_.asked.clear();
        boxes_.answerYes = false;
        boxes_.whileShown = nullptr;
    }

    void cleanup() {
        windows_.reset();
        dir_.reset();
    }

    void windowFrameAndCaption() {
        MainWindow& w = MakeWindow();
        QCOMPARE(w.objectName(), QStringLiteral("CalcxF"));
        QCOMPARE(w.windowTitle(),
                 QStringLiteral("Pelko RPN Calculator v") + QLatin1String(rpn::kProgramVersion));
        QCOMPARE(w.size(), QSize(522, 311));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        const Qt::WindowFlags flags = w.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
        QCOMPARE(w.pos(), QPoint(1003, 616));
        QVERIFY(!w.windowIcon().isNull());
    }

    // A few rows written out, so that a wrong number in the table cannot pass as designed.
    void layoutRowsAsDesigned() {
        const struct {
            const char* name;
            QRect geometry;
            int fontHeight;
            const char* hint;
            Command command;
            Operation operation;
        } rows[] = {
            {"EditX", {36, 131, 193, 33}, 23, "", Command::None, Operation::Add},
            {"SpeedButtonP",
             {62, 176, 36, 36},
             27,
             "X = Y + X",
             Command::Calculate,
             Operation::Add},
            {"SpeedButtonSqr",
             {320, 176, 36, 36},
             17,
             "X = X^0.5",
             Command::Calculate,
             Operation::SquareRoot},
            {"SpeedButtonR",
             {241, 7, 36, 36},
             20,
             "Down Roll",
             Command::Calculate,
             Operation::RollDown},
            {"Button1",
             {336, 7, 54, 36},
             20,
             "Floating Key Board",
             Command::ToggleKeypad,
             Operation::Add},
            {"Label5", {221, 230, 74, 30}, 15, "", Command::None, Operation::Add},
            {"Buttonex", {446, 271, 66, 31}, 15, "", Command::Calculate, Operation::NaturalExp},
        };
        for (const auto& row : rows) {
            const ControlLayout* control = FindControl(row.name);
            QVERIFY2(control, row.name);
            QCOMPARE(QRect(control->left, control->top, control->width, control->height),
                     row.geometry);
            QCOMPARE(control->fontHeight, row.fontHeight);
            QCOMPARE(QString::fromLatin1(control->hint), QString::fromLatin1(row.hint));
            QVERIFY2(control->action.command == row.command, row.name);
            if (row.command == Command::Calculate) {
                QVERIFY2(control->action.operation == row.operation, row.name);
            }
        }
    }

    void everyControlAsDesigned() {
        MainWindow& w = MakeWindow();
        for (const ControlLayout& control : MainWindowControls()) {
            const QString name = QString::fromLatin1(control.name);
            auto* widget = w.findChild<QWidget*>(name);
            QVERIFY2(widget, control.name);
            QCOMPARE(widget->geometry(),
                     QRect(control.left, control.top, control.width, control.height));
            QCOMPARE(widget->font().pixelSize(), control.fontHeight);
            QVERIFY2(widget->font().bold(), control.name);
            const QString key = QString::fromStdString(KeyName(control.key));
            const QString hint = QString::fromLatin1(control.hint);
            QCOMPARE(widget->toolTip(),
                     hint.isEmpty() || key.isEmpty() ? hint + key : hint + QLatin1Char('\n') + key);
            QVERIFY2(!widget->accessibleName().isEmpty(), control.name);
            if (*control.hint) {
                QCOMPARE(widget->accessibleDescription(), QString::fromLatin1(control.hint));
            }
            switch (control.kind) {
                case ControlKind::GlyphButton: {
                    auto* button = qobject_cast<QToolButton*>(widget);
                    QVERIFY2(button, control.name);
                    QVERIFY(button->autoRaise());
                    QCOMPARE(button->focusPolicy(), Qt::NoFocus);
                    QCOMPARE(button->text(), QString::fromLatin1(control.caption));
                    // A face is either a caption or a bitmap.
                    QCOMPARE(button->icon().isNull(), *control.caption != '\0');
                    break;
                }
                case ControlKind::PushButton: {
                    auto* button = qobject_cast<QPushButton*>(widget);
                    QVERIFY2(button, control.name);
                    QCOMPARE(button->text(), QString::fromLatin1(control.caption));
                    const bool tabStop = (button->focusPolicy() & Qt::TabFocus) != 0;
                    QCOMPARE(tabStop, name == QLatin1String("Button1"));
                    break;
                }
                case ControlKind::Label: {
                    auto* label = qobject_cast<QLabel*>(widget);
                    QVERIFY2(label, control.name);
                    QCOMPARE(label->text(), QString::fromLatin1(control.caption));
                    QCOMPARE(label->alignment(), Qt::AlignCenter);
                    break;
                }
                case ControlKind::EditField: {
                    auto* edit = qobject_cast<QLineEdit*>(widget);
                    QVERIFY2(edit, control.name);
                    const bool isX = name == QLatin1String("EditX");
                    QCOMPARE(edit->isReadOnly(), !isX);
                    QCOMPARE((edit->focusPolicy() & Qt::TabFocus) != 0, isX);
                    QCOMPARE(edit->palette().color(QPalette::Base) == QColor(0, 255, 0), !isX);
                    break;
                }
            }
        }
        QCOMPARE(MainWindowAccess::AngleModeLabel(w)->palette().color(QPalette::WindowText),
                 QColor(Qt::red));
        QCOMPARE(w.Edit(Field::X)->nextInFocusChain(), w.Button("Button1"));
    }

    void glyphsAreDrawn_data() {
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("ratio");
        QTest::newRow("designed") << 1.0 << 1.0;
        QTest::newRow("ratio 2") << 1.0 << 2.0;
        // 96 dpi: the layout shrinks, the glyph keeps its designed device pixels.
        QTest::newRow("96 dpi") << 0.8 << 1.0;
        // The toolkit's own scaling at 120 and 144 dpi: fractional device pixel ratios.
        QTest::newRow("ratio 1.25") << 0.8 << 1.25;
        QTest::newRow("ratio 1.5") << 1.0 << 1.5;
    }

    void glyphsAreDrawn() {
        QFETCH(double, scale);
        QFETCH(double, ratio);
        for (const ControlLayout& control : MainWindowControls()) {
            if (control.kind != ControlKind::GlyphButton || *control.caption) {
                continue;
            }
            const QPixmap glyph = GlyphPixmap(control.action, scale, ratio);
            const QSize designed(
                QLatin1String(control.name) == QLatin1String("SpeedButtonPME") ? 18 : 16, 14);
            if (scale == 1.0 && ratio == std::round(ratio)) {
                QCOMPARE(glyph.deviceIndependentSize().toSize(), designed);
                QCOMPARE(glyph.size(), designed * ratio);
            }
            // A whole number of logical pixels, so that the button draws it unstretched...
            const QSizeF logical = glyph.deviceIndependentSize();
            QCOMPARE(QSizeF(logical.toSize()), logical);
            // ...and never on fewer device pixels than designed.
            QVERIFY2(glyph.width() >= designed.width() && glyph.height() >= designed.height(),
                     control.name);
            // Black strokes on a transparent field.
            const QImage image = glyph.toImage();
            int dark = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    dark += c.alpha() > 200 && c.lightness() < 60;
                }
            }
            const double devicePixels = std::max(1.0, scale * ratio);
            QVERIFY2(dark >= 8 * devicePixels * devicePixels, control.name);
        }
    }

    void layoutFitsAtOtherResolutions_data() {
        QTest::addColumn<double>("dpi");
        QTest::newRow("96") << 96.0;
        QTest::newRow("120") << 120.0;
        QTest::newRow("144") << 144.0;
        QTest::newRow("192") << 192.0;
    }

    void layoutFitsAtOtherResolutions() {
        QFETCH(double, dpi);
        const double scale = LayoutScaleForDpi(dpi);
        MainWindow& w = MakeWindow(scale);
        const QRect client(QPoint(0, 0), w.size());
        std::vector<const QWidget*> controls;
        for (const ControlLayout& control : MainWindowControls()) {
            controls.push_back(w.findChild<QWidget*>(QString::fromLatin1(control.name)));
        }
        for (size_t i = 0; i < controls.size(); ++i) {
            QVERIFY2(client.contains(controls[i]->geometry()),
                     qPrintable(controls[i]->objectName()));
            for (size_t j = i + 1; j < controls.size(); ++j) {
                QVERIFY2(!controls[i]->geometry().intersects(controls[j]->geometry()),
                         qPrintable(controls[i]->objectName() + " / " + controls[j]->objectName()));
            }
            // Every caption fits its control; a field holds the widest display text.
            const auto* button = qobject_cast<const QAbstractButton*>(controls[i]);
            const auto* label = qobject_cast<const QLabel*>(controls[i]);
            const auto* edit = qobject_cast<const QLineEdit*>(controls[i]);
            const QString text = button  ? button->text()
                                 : label ? label->text()
                                         : QStringLiteral("-8.88888E+4888");
            const QFontMetrics metrics(controls[i]->font());
            const int margin = edit ? 8 : 4;
            QVERIFY2(metrics.horizontalAdvance(text) + margin <= controls[i]->width(),
                     qPrintable(controls[i]->objectName()));
            if (!text.isEmpty()) {
                QVERIFY2(metrics.height() <= controls[i]->height(),
                         qPrintable(controls[i]->objectName()));
            }
        }
        // The compact view cuts between the operation row and the Trig/Log rows.
        w.show();
        const QWidget* sin = w.findChild<QWidget*>(QStringLiteral("Buttonsin"));
        const QWidget* pm = w.findChild<QWidget*>(QStringLiteral("SpeedButtonPM"));
        QVERIFY(w.height() <= sin->y());
        QVERIFY(w.height() >= pm->geometry().bottom() + 1);
    }

    void firstShowCompactsLoadsAndSaves() {
        MainWindow& w = MakeWindow();
        QVERIFY(MainWindowAccess::FirstShow(w));
        QVERIFY(MainWindowAccess::TrigPanelShown(w));
        w.show();
        QVERIFY(!MainWindowAccess::FirstShow(w));
        QVERIFY(!MainWindowAccess::TrigPanelShown(w));
        QVERIFY(MainWindowAccess::TrigPanelHeight(w) >= w.frameGeometry().height() / 4);
        QCOMPARE(w.height(), 311 - MainWindowAccess::TrigPanelHeight(w));
        QCOMPARE(w.Button("ButtonSmall")->text(), QStringLiteral("Trig"));
        QCOMPARE(HintOf(w.Button("ButtonSmall")), QStringLiteral("Click for Trig/Log"));
        QCOMPARE(QFile::decodeName(MainWindowAccess::HelpFilePath(w).c_str()),
                 dir_->filePath(QStringLiteral("rpncalc.hlp")));
        // No session file: the window goes to the top left corner, and the file exists at once.
        QCOMPARE(w.pos(), QPoint(0, 0));
        QCOMPARE(ReadLines(SessionPath()).size(), 9);
        QCOMPARE(MainWindowAccess::Fields(w).FieldText(Field::X), std::string("0"));
        QVERIFY(boxes_.shown.empty());

        // A later showing changes nothing.
        const int compact = w.height();
        w.hide();
        w.show();
        QCOMPARE(w.height(), compact);
        QVERIFY(!MainWindowAccess::TrigPanelShown(w));
    }

    void firstShowReadsTheSession() {
        QFile file(SessionPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1.5\r\n2\r\n3\r\n4\r\n40\r\n30\r\n7\r\n100\r\n200\r\n");
        file.close();
        MainWindow& w = ShowWindow();
        QCOMPARE(MainWindowAccess::Fields(w).FieldText(Field::X), std::string("1.5"));
        QCOMPARE(MainWindowAccess::Fields(w).FieldText(Field::Y), std::string("2"));
        QCOMPARE(MainWindowAccess::Fields(w).FieldText(Field::T), std::string("4"));
        QCOMPARE(w.pos(), QPoint(30, 40));
        QCOMPARE(w.keypad().KeypadPos, (rpn::WindowPosition{100, 200}));
    }

    void closingSavesTheKeypadsDesignedPosition() {
        // A keypad never shown in the run stands where it was designed, not where the file
        // said it was.
        QFile file(SessionPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n100\r\n200\r\n");
        file.close();
        MainWindow& w = ShowWindow();
        QVERIFY(w.close());
        const QStringList lines = ReadLines(SessionPath());
        QCOMPARE(lines.size(), 9);
        QCOMPARE(lines[7], QStringLiteral("277"));
        QCOMPARE(lines[8], QStringLiteral("69"));
    }

    void closingRecordsWhereTheKeypadWasLeft() {
        MainWindow& w = ShowWindow();
        w.keypad().KeypadPos = {150, 250};
        keys_->show();
        QCOMPARE(keys_->pos(), QPoint(250, 150));
        keys_->move(260, 170);
        QVERIFY(w.close());
        const QStringList lines = ReadLines(SessionPath());
        QCOMPARE(lines[7], QStringLiteral("170"));
        QCOMPARE(lines[8], QStringLiteral("260"));
    }

    void unwritableSessionKeepsTheWindowOpen() {
        // A folder in the session file's place can be neither read nor written: the load
        // reports it in the error box, the first save in the general report.
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("rpncalc.cfg")));
        MainWindow& w = ShowWindow();
        QCOMPARE(boxes_.shown.size(), size_t{2});
        QCOMPARE(boxes_.shown[0].caption, QStringLiteral("Error"));
        QCOMPARE(boxes_.shown[1].caption, QStringLiteral("Rpncalc"));
        QVERIFY(boxes_.shown[1].text.endsWith(QLatin1Char('.')));
        // The initialisation ended at the save: the stack lift stays as the refresh left it.
        QVERIFY(StateOf(w.calculator()).StackLift);

        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(boxes_.shown.size(), size_t{3});
        // Once the file can be written, the next close request saves and closes.
        QVERIFY(QDir(dir_->path()).rmdir(QStringLiteral("rpncalc.cfg")));
        QVERIFY(w.close());
        QCOMPARE(ReadLines(SessionPath()).size(), 9);
    }

    // A save that fails at closing is reported, then the user may quit without it: No keeps
    // the window open as before, Yes ends the program and leaves the file as it was.
    void failedSaveAtClosingAsksWhetherToQuit_data() {
        QTest::addColumn<bool>("answerYes");
        QTest::addRow("no") << false;
        QTest::addRow("yes") << true;
    }
    void failedSaveAtClosingAsksWhetherToQuit() {
        QFETCH(bool, answerYes);
        MainWindow& w = ShowWindow();
        QVERIFY(QFile::remove(SessionPath()));
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("rpncalc.cfg")));
        boxes_.shown.clear();
        boxes_.answerYes = answerYes;
        QCOMPARE(w.close(), answerYes);
        QCOMPARE(w.isVisible(), !answerYes);
        QCOMPARE(boxes_.shown.size(), size_t{1});
        QCOMPARE(boxes_.shown[0].caption, QStringLiteral("Rpncalc"));
        QCOMPARE(boxes_.asked.size(), size_t{1});
        QCOMPARE(boxes_.asked[0].caption, QStringLiteral("Rpncalc"));
        QVERIFY(boxes_.asked[0].text.contains(SessionPath()));
        QVERIFY(boxes_.asked[0].text.contains(QStringLiteral("since the last save would be lost")));
    }

    // An X entry beyond the register's range costs only itself at closing: the overflow is
    // reported, then the session is saved with the last committed X and the window closes,
    // with no question, since nothing but the entry is left out.
    void overflowingEntryAtClosingIsReportedAndLeftOut_data() {
        QTest::addColumn<QString>("entry");
        QTest::addRow("1e4933") << QStringLiteral("1e4933");
        QTest::addRow("comma form") << QStringLiteral("-2,5e5000");
    }
    void overflowingEntryAtClosingIsReportedAndLeftOut() {
        QFETCH(QString, entry);
        MainWindow& w = ShowWindow();
        MainWindowAccess::Fields(w).SetFieldText(Field::X, "3");
        Click("ButtonE");
        MainWindowAccess::Fields(w).SetFieldText(Field::X, entry.toStdString());
        boxes_.shown.clear();
        QStringList linesWhileShown;
        boxes_.whileShown = [&] { linesWhileShown = ReadLines(SessionPath()); };

        QVERIFY(w.close());
        QVERIFY(!w.isVisible());
        QCOMPARE(boxes_.shown.size(), size_t{1});
        QCOMPARE(boxes_.shown[0].caption, QStringLiteral("Rpncalc"));
        QCOMPARE(boxes_.shown[0].text, QStringLiteral("Floating point overflow."));
        QVERIFY(boxes_.asked.empty());
        // Reported before the save: the file still held the start-up's stack.
        QCOMPARE(linesWhileShown.value(1), QStringLiteral(" 0.00000000000000E+0000"));
        const QStringList lines = ReadLines(SessionPath());
        QCOMPARE(lines.size(), 9);
        QCOMPARE(lines[0], QStringLiteral(" 3.00000000000000E+0000"));
        QCOMPARE(lines[1], QStringLiteral(" 3.00000000000000E+0000"));
    }

    void exitButtonCloses() {
        MainWindow& w = ShowWindow();
        Click("Buttondone");
        QVERIFY(!w.isVisible());
        QCOMPARE(ReadLines(SessionPath()).size(), 9);
    }

    void trigSmallTogglesAndRestoresTheHeight() {
        MainWindow& w = ShowWindow();
        const int compact = w.height();
        const QPoint position = w.pos();
        Click("ButtonSmall");
        QVERIFY(MainWindowAccess::TrigPanelShown(w));
        QCOMPARE(w.height(), compact + MainWindowAccess::TrigPanelHeight(w));
        QCOMPARE(w.Button("ButtonSmall")->text(), QStringLiteral("Small"));
        QCOMPARE(HintOf(w.Button("ButtonSmall")), QStringLiteral("Click to shrink"));
        QVERIFY(StateOf(w.calculator()).StackLift);
        Click("ButtonSmall");
        QVERIFY(!MainWindowAccess::TrigPanelShown(w));
        QCOMPARE(w.height(), compact);
        QCOMPARE(w.pos(), position);
        QCOMPARE(w.Button("ButtonSmall")->text(), QStringLiteral("Trig"));
        QCOMPARE(HintOf(w.Button("ButtonSmall")), QStringLiteral("Click for Trig/Log"));
        QVERIFY(StateOf(w.calculator()).StackLift);
    }

    void backTopSwitchesTheLevelInPlace() {
        MainWindow& w = ShowWindow();
        w.move(50, 60);
        keys_->show();
        MainWindowAccess::Fields(w).SetFieldText(Field::X, "12.5");
        StateOf(w.calculator()).StackLift = true;
        Click("Buttontop");
        QVERIFY(!MainWindowAccess::StayOnTop(w));
        QVERIFY(!w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(w.isVisible());
        QCOMPARE(w.pos(), QPoint(50, 60));
        QCOMPARE(w.Button("Buttontop")->text(), QStringLiteral("Top"));
        QCOMPARE(HintOf(w.Button("Buttontop")), QStringLiteral("Click to stay on top"));
        QVERIFY(!StateOf(w.calculator()).StackLift);
        QCOMPARE(MainWindowAccess::Fields(w).FieldText(Field::X), std::string("12.5"));
        QCOMPARE(MainWindowAccess::Fields(w).SelectionLength(Field::X), 4);
        // The keypad stays up while its owner changes level.
        QVERIFY(keys_->isVisible());

        Click("Buttontop");
        QVERIFY(MainWindowAccess::StayOnTop(w));
        QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(w.pos(), QPoint(50, 60));
        QCOMPARE(w.Button("Buttontop")->text(), QStringLiteral("Back"));
        QCOMPARE(HintOf(w.Button("Buttontop")), QStringLiteral("Click to move to back"));
    }

    void mathErrorLeavesTheTopLevelWhileShown() {
        MainWindow& w = ShowWindow();
        const int beeps = MainWindowAccess::BeepCount(w);
        bool onTopWhileShown = true;
        QString captionWhileShown;
        boxes_.whileShown = [&] {
            onTopWhileShown = w.windowFlags().testFlag(Qt::WindowStaysOnTopHint) ||
                              MainWindowAccess::StayOnTop(w);
            captionWhileShown = w.Button("Buttontop")->text();
        };
        MainWindowAccess::Fields(w).SetFieldText(Field::X, "-1");
        Click("Buttonln");
        QCOMPARE(boxes_.shown.size(), size_t{1});
        QCOMPARE(boxes_.shown[0].caption, QStringLiteral("Error"));
        QCOMPARE(boxes_.shown[0].text, QStringLiteral("Math Error"));
        QVERIFY(!onTopWhileShown);
        QCOMPARE(captionWhileShown, QStringLiteral("Top"));
        QCOMPARE(MainWindowAccess::BeepCount(w), beeps + 1);
        QVERIFY(MainWindowAccess::StayOnTop(w));
        QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(w.Button("Buttontop")->text(), QStringLiteral("Back"));
        QCOMPARE(HintOf(w.Button("Buttontop")), QStringLiteral("Click moves to back"));
        QCOMPARE(MainWindowAccess::Fields(w).FieldText(Field::X), std::string("-1"));
        QVERIFY(!StateOf(w.calculator()).StackLift);
    }

    void mathErrorWhenNotOnTopStaysThere() {
        MainWindow& w = ShowWindow();
        Click("Buttontop");
        MainWindowAccess::Fields(w).SetFieldText(Field::X, "-1");
        Click("Buttonln");
        QCOMPARE(boxes_.shown.size(), size_t{1});
        QVERIFY(!MainWindowAccess::StayOnTop(w));
        QVERIFY(!w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(HintOf(w.Button("Buttontop")), QStringLiteral("Click to stay on top"));
    }

    void escapingFaultsGoToTheGeneralReport_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("entry beyond range") << "1e4933"
                                            << "ButtonE"
                                            << "Floating point overflow.";
        QTest::newRow("square beyond range") << "1e4000"
                                             << "SpeedButtonX2"
                                             << "Floating point overflow.";
    }

    void escapingFaultsGoToTheGeneralReport() {
        QFETCH(QString, entry);
        QFETCH(QString, button);
        QFETCH(QString, message);
        MainWindow& w = ShowWindow();
        MainWindowAccess::Fields(w).SetFieldText(Field::Y, "5");
        MainWindowAccess::Fields(w).SetFieldText(Field::X, entry.toStdString());
        Click(button.toLatin1().constData());
        QCOMPARE(boxes_.shown.size(), size_t{1});
        QCOMPARE(boxes_.shown[0].caption, QStringLiteral("Rpncalc"));
        QCOMPARE(boxes_.shown[0].text, message);
        // The action was abandoned before it changed anything.
        QCOMPARE(MainWindowAccess::Fields(w).FieldText(Field::X), entry.toStdString());
        QCOMPARE(MainWindowAccess::Fields(w).FieldText(Field::Y), std::string("5"));
        QVERIFY(w.isVisible());
    }

    void operationButtonsReachTheCalculator() {
        MainWindow& w = ShowWindow();
        MainWindowAccess::Fields(w).SetFieldText(Field::X, "3");
        Click("ButtonE");
        MainWindowAccess::Fields(w).SetFieldText(Field::X, "4");
        Click("SpeedButtonP");
        QCOMPARE(MainWindowAccess::Fields(w).FieldText(Field::X), std::string("7"));
        QVERIFY(StateOf(w.calculator()).StackLift);
        Click("Buttondeg");
        QCOMPARE(MainWindowAccess::AngleModeLabel(w)->text(), QStringLiteral("Radians"));
        Click("Buttondeg");
        QCOMPARE(MainWindowAccess::AngleModeLabel(w)->text(), QStringLiteral("Degrees"));
    }

    void captionsAndAccessibleNamesChangeTogether() {
        // A screen reader announces the name: it must say what the control shows.
        MainWindow& w = ShowWindow();
        for (int click = 0; click < 2; ++click) {
            Click("Buttondeg");
            QCOMPARE(MainWindowAccess::AngleModeLabel(w)->accessibleName(),
                     MainWindowAccess::AngleModeLabel(w)->text());
            Click("Buttontop");
            QCOMPARE(w.Button("Buttontop")->accessibleName(), w.Button("Buttontop")->text());
            Click("ButtonSmall");
            QCOMPARE(w.Button("ButtonSmall")->accessibleName(), w.Button("ButtonSmall")->text());
        }
    }

    void backTopKeepsTheNativeWindow() {
        MainWindow& w = ShowWindow();
        const WId id = w.winId();
        Click("Buttontop");
        QCOMPARE(w.winId(), id);
        QVERIFY(!w.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        Click("Buttontop");
        QCOMPARE(w.winId(), id);
        QVERIFY(w.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void displayUsesTheSystemDecimalSeparator() {
        // ctest runs this once more under a German locale, where it is a comma.
        const QString point = QLocale::system().decimalPoint();
        MainWindow& w = ShowWindow();
        MainWindowAccess::Fields(w).SetFieldText(Field::X, "1");
        Click("ButtonE");
        MainWindowAccess::Fields(w).SetFieldText(Field::X, "2");
        Click("SpeedButtonD");
        QCOMPARE(QString::fromStdString(MainWindowAccess::Fields(w).FieldText(Field::X)),
                 point + QStringLiteral("5"));
    }

    void helpShowsTheFileAtItsTopic() {
        QVERIFY(QFile::copy(QStringLiteral(RPNCALC_HELP_FILE),
                            dir_->filePath(QStringLiteral("rpncalc.hlp"))));
        MainWindow& w = ShowWindow();
        StateOf(w.calculator()).StackLift = true;
        Click("ButtonH");
        QVERIFY(MainWindowAccess::Help(w)->isVisible());
        QCOMPARE(MainWindowAccess::Help(w)->browser()->source().fragment(),
                 QStringLiteral("topic-0"));
        QVERIFY(MainWindowAccess::Help(w)->browser()->toPlainText().contains(
            QStringLiteral("stack lift")));
        QVERIFY(!StateOf(w.calculator()).StackLift);
        QCOMPARE(MainWindowAccess::Fields(w).SelectionLength(Field::X),
                 static_cast<int>(MainWindowAccess::Fields(w).FieldText(Field::X).size()));

        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_F1);
        QCOMPARE(MainWindowAccess::Help(w)->browser()->source().fragment(),
                 QStringLiteral("topic-200"));
        QVERIFY(boxes_.shown.empty());
    }

    void missingHelpFileIsSaidInTheViewer() {
        MainWindow& w = ShowWindow();
        Click("ButtonH");
        QVERIFY(MainWindowAccess::Help(w)->isVisible());
        QVERIFY(MainWindowAccess::Help(w)->browser()->toPlainText().contains(
            QStringLiteral("cannot be opened")));
        QVERIFY(boxes_.shown.empty());
    }

    void helpFileHasBothTopics() {
        QFile file(QStringLiteral(RPNCALC_HELP_FILE));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray html = file.readAll();
        for (const int topic : {kHelpContentsTopic, kWindowHelpTopic}) {
            QVERIFY(html.contains(
                QStringLiteral("<a name=\"%1\">").arg(TopicAnchor(topic)).toLatin1()));
        }
    }

    // Another window of the program that takes the keyboard for a while, as a message box
    // does; shown and asked for the focus.
    static std::unique_ptr<QWidget> OtherWindow(MainWindow& w) {
        auto other = std::make_unique<QWidget>(&w, Qt::Dialog);
        other->show();
        other->activateWindow();
        return other;
    }

    void returningFromAnotherWindowActivates() {
        MainWindow& w = ShowWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const auto other = OtherWindow(w);
        QTRY_COMPARE(QGuiApplication::focusWindow(), other->windowHandle());
        MainWindowAccess::Fields(w).SetFieldText(Field::X, "12");
        MainWindowAccess::Fields(w).SetCaret(Field::X, 1);
        StateOf(w.calculator()).StackLift = true;
        w.activateWindow();
        // QWidget counts the main window active while its dialog is: wait for the window itself.
        QTRY_COMPARE(QGuiApplication::focusWindow(), w.windowHandle());
        QVERIFY(!StateOf(w.calculator()).StackLift);
        QCOMPARE(MainWindowAccess::Fields(w).SelectionLength(Field::X), 2);
        QVERIFY(w.Edit(Field::X)->hasFocus());
    }

    void focusRequestFromAnotherWindowActivatesAtOnce() {
        // An operation gives the X field the focus and goes on at once: the main window's
        // return must have run by then.
        MainWindow& w = ShowWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const auto other = OtherWindow(w);
        QTRY_COMPARE(QGuiApplication::focusWindow(), other->windowHandle());
        MainWindowAccess::Fields(w).SetFieldText(Field::X, "12");
        StateOf(w.calculator()).StackLift = true;
        MainWindowAccess::Fields(w).FocusX();
        QVERIFY(!StateOf(w.calculator()).StackLift);
        QCOMPARE(MainWindowAccess::Fields(w).SelectionLength(Field::X), 2);
        // The activation that follows does not run it a second time.
        MainWindowAccess::Fields(w).Deselect(Field::X);
        QTRY_COMPARE(QGuiApplication::focusWindow(), w.windowHandle());
        QCOMPARE(MainWindowAccess::Fields(w).SelectionLength(Field::X), 0);
    }

    void keypadNeverTakesTheKeyboard() {
        MainWindow& w = ShowWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        keys_->show();
        QVERIFY(keys_->windowHandle()->flags().testFlag(Qt::WindowDoesNotAcceptFocus));
        MainWindowAccess::Fields(w).SetFieldText(Field::X, "12");
        MainWindowAccess::Fields(w).SetCaret(Field::X, 1);
        StateOf(w.calculator()).StackLift = true;
        // A window manager that hands the keypad the keyboard all the same: the main window
        // takes it back, and the entry is as it was, with no becoming-active step.
        QWindow* keypad = keys_->windowHandle();
        QObject watch;
        bool keypadHadIt = false;
        connect(qGuiApp, &QGuiApplication::focusWindowChanged, &watch,
                [&](QWindow* focus) { keypadHadIt = keypadHadIt || focus == keypad; });
        keypad->setFlag(Qt::WindowDoesNotAcceptFocus, false);
        keypad->requestActivate();
        keypad->setFlag(Qt::WindowDoesNotAcceptFocus, true);
        QTRY_VERIFY(keypadHadIt);
        QTRY_COMPARE(QGuiApplication::focusWindow(), w.windowHandle());
        QVERIFY(StateOf(w.calculator()).StackLift);
        QCOMPARE(MainWindowAccess::Fields(w).SelectionLength(Field::X), 0);
        QCOMPARE(MainWindowAccess::Fields(w).SelectionStart(Field::X), 1);
        QVERIFY(w.Edit(Field::X)->hasFocus());
    }

    void fieldsAreSingleByteText() {
        MainWindow& w = MakeWindow();
        const std::string text =
            "1\xB5"
            "2,5";
        MainWindowAccess::Fields(w).SetFieldText(Field::Z, text);
        QCOMPARE(MainWindowAccess::Fields(w).FieldText(Field::Z), text);
        QCOMPARE(w.Edit(Field::Z)->text().size(), qsizetype{5});
    }

    void caretAndSelection() {
        MainWindow& w = MakeWindow();
        MainWindowAccess::Fields(w).SetFieldText(Field::X, "12.5");
        w.Edit(Field::X)->setSelection(1, 2);
        QCOMPARE(MainWindowAccess::Fields(w).SelectionStart(Field::X), 1);
        QCOMPARE(MainWindowAccess::Fields(w).SelectionLength(Field::X), 2);
        // A selection made backwards starts at its first character all the same.
        w.Edit(Field::X)->setSelection(3, -2);
        QCOMPARE(MainWindowAccess::Fields(w).SelectionStart(Field::X), 1);
        QCOMPARE(MainWindowAccess::Fields(w).SelectionLength(Field::X), 2);
        MainWindowAccess::Fields(w).SetCaret(Field::X, 3);
        QCOMPARE(MainWindowAccess::Fields(w).SelectionStart(Field::X), 3);
        QCOMPARE(MainWindowAccess::Fields(w).SelectionLength(Field::X), 0);
        MainWindowAccess::Fields(w).SelectAllX();
        QCOMPARE(MainWindowAccess::Fields(w).SelectionLength(Field::X), 4);
        MainWindowAccess::Fields(w).Deselect(Field::X);
        QCOMPARE(MainWindowAccess::Fields(w).SelectionStart(Field::X), 4);
        QCOMPARE(MainWindowAccess::Fields(w).SelectionLength(Field::X), 0);
    }

    void selectionSurvivesLeavingTheField() {
        MainWindow& w = ShowWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        MainWindowAccess::Fields(w).SetFieldText(Field::Z, "345");
        w.Edit(Field::Z)->setFocus();
        w.Edit(Field::Z)->setSelection(1, 2);
        w.Edit(Field::X)->setFocus();
        QVERIFY(w.Edit(Field::X)->hasFocus());
        QCOMPARE(MainWindowAccess::Fields(w).SelectionStart(Field::Z), 1);
        QCOMPARE(MainWindowAccess::Fields(w).SelectionLength(Field::Z), 2);
    }

    void tabbingIntoXKeepsItsCaret() {
        MainWindow& w = ShowWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        MainWindowAccess::Fields(w).SetFieldText(Field::X, "123");
        MainWindowAccess::Fields(w).SetCaret(Field::X, 1);
        w.Button("Button1")->setFocus(Qt::TabFocusReason);
        w.Edit(Field::X)->setFocus(Qt::TabFocusReason);
        QCOMPARE(MainWindowAccess::Fields(w).SelectionLength(Field::X), 0);
        QCOMPARE(MainWindowAccess::Fields(w).SelectionStart(Field::X), 1);
    }

    void applicationTitle_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::newRow("plain") << "/opt/calc/rpncalc"
                               << "Rpncalc";
        QTest::newRow("upper case, extension") << "/opt/RPNCALC.EXE"
                                               << "Rpncalc";
        QTest::newRow("dots in the name") << "/opt/my.Calc.bin"
                                          << "My.calc";
    }

    void applicationTitle() {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QCOMPARE(ApplicationTitle(path), title);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"

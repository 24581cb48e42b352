// SPDX-License-Identifier: GPL-3.0-or-later
// Every caption, glyph and digit of the calculator, photographed in a light and a dark palette:
// its ink must stand out from its own background.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QStyle>
#include <QToolButton>
#include <QtTest>
#include <algorithm>
#include <map>
#include <vector>

#include "engine/register.h"
#include "layout/main_window_layout.h"
#include "tests/ui/main_window_access.h"
#include "tests/ui/window_test_support.h"
#include "ui/readable_colours.h"
#include "ui/register_edit.h"

using namespace rpn::ui;

namespace {

constexpr double kTextContrast = 4.5;
// The angle mode is a red word: red on grey never reaches the text ratio.
constexpr double kAngleModeContrast = 3.0;
// Shading and gradients stay below this; anything above it is ink, however faint.
constexpr double kStandsApart = 1.25;

QPalette DarkPalette() {
    QPalette p;
    const QColor window(0x35, 0x35, 0x35);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    p.setColor(QPalette::AlternateBase, QColor(0x42, 0x42, 0x42));
    p.setColor(QPalette::ToolTipBase, window);
    p.setColor(QPalette::ToolTipText, Qt::white);
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

QPalette LightPalette() {
    // Every colour set, so that the application takes it as a palette of its own rather than
    // as a return to whatever palette it had.
    const QPalette standard = QApplication::style()->standardPalette();
    QPalette light;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            light.setColor(g, r, standard.color(g, r));
        }
    }
    return light;
}

// The ink of a control: its commonest colour is its background, and the ink is the contrast
// that a tenth of the pixels that stand apart from it reach (at least a few), so that neither
// a stray edge pixel of a frame nor the soft shading of a button face stands for the strokes.
struct Measure {
    QColor background;
    double contrast = 1;
    int inkPixels = 0;
};

Measure MeasureInk(const QImage& picture) {
    std::map<QRgb, int> counts;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            ++counts[picture.pixel(x, y) | 0xff000000u];
        }
    }
    const auto commonest =
        std::max_element(counts.begin(), counts.end(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    Measure m;
    m.background = QColor::fromRgb(commonest->first);
    std::vector<double> contrasts;
    for (const auto& [rgb, count] : counts) {
        const double c = ContrastRatio(QColor::fromRgb(rgb), m.background);
        if (c > kStandsApart) {
            contrasts.insert(contrasts.end(), count, c);
        }
    }
    std::sort(contrasts.begin(), contrasts.end(), std::greater<>());
    m.inkPixels = static_cast<int>(contrasts.size());
    if (!contrasts.empty()) {
        const std::size_t at = std::max<std::size_t>(3, contrasts.size() / 10);
        m.contrast = contrasts[std::min(at, contrasts.size() - 1)];
    }
    return m;
}

// The middle of a control, inside any frame or bevel that the style draws around it.
QImage Inside(const QImage& shot, const QWidget& control, const QWidget& window, qreal ratio) {
    const QRect r(control.mapTo(&window, QPoint(0, 0)), control.size());
    const QRect inner = r.adjusted(r.width() / 8, r.height() / 6, -r.width() / 8, -r.height() / 6);
    return shot.copy(QRect((inner.topLeft() * ratio), inner.size() * ratio));
}

}  // namespace

class ContrastTest : public QObject {
    Q_OBJECT

  private:
    void CheckWindow(QWidget& window, const QString& shotName) {
        const QImage shot = window.grab().toImage();
        const qreal ratio = shot.devicePixelRatio();
        if (const QByteArray folder = qgetenv("RPNCALC_SCREENSHOT_DIR"); !folder.isEmpty()) {
            shot.save(QDir(QString::fromLocal8Bit(folder)).filePath(shotName + ".png"));
        }
        int measured = 0;
        double lowest = 21;
        QString lowestControl;
        for (QWidget* control : window.findChildren<QWidget*>()) {
            const bool face = qobject_cast<QAbstractButton*>(control) ||
                              qobject_cast<QLabel*>(control) || qobject_cast<QLineEdit*>(control);
            if (!face || !control->isVisible() || control->window() != &window) {
                continue;
            }
            const Measure m = MeasureInk(Inside(shot, *control, window, ratio));
            const double needed = control->objectName() == QLatin1String("Label5")
                                      ? kAngleModeContrast
                                      : kTextContrast;
            const QByteArray what = QStringLiteral("%1 in %2: ink %3:1 on %4 (%5 ink pixels)")
                                        .arg(control->objectName(), shotName)
                                        .arg(m.contrast, 0, 'f', 2)
                                        .arg(m.background.name())
                                        .arg(m.inkPixels)
                                        .toUtf8();
            QVERIFY2(m.inkPixels > 0, what.constData());
            QVERIFY2(m.contrast >= needed, what.constData());
            ++measured;
            if (needed == kTextContrast && m.contrast < lowest) {
                lowest = m.contrast;
                lowestControl = control->objectName();
            }
        }
        QVERIFY2(measured > 0, "no control measured");
        qInfo("%s: %d controls, lowest text contrast %.2f:1 (%s)", qPrintable(shotName), measured,
              lowest, qPrintable(lowestControl));
    }

  private slots:
    void initTestCase() {
        rpn::InitialiseRegisterArithmetic();
        QApplication::setStyle(QStringLiteral("Fusion"));
    }

    void cleanup() { QApplication::setPalette(LightPalette()); }

    void ratioOfKnownColours_data() {
        QTest::addColumn<QColor>("a");
        QTest::addColumn<QColor>("b");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("the same grey")
            << QColor(0x77, 0x77, 0x77) << QColor(0x77, 0x77, 0x77) << 1.0;
        // The usual example of a grey that just misses 4.5:1 on white.
        QTest::newRow("#777 on white") << QColor(0x77, 0x77, 0x77) << QColor(Qt::white) << 4.48;
        QTest::newRow("red on white") << QColor(Qt::red) << QColor(Qt::white) << 4.0;
        QTest::newRow("lime on black") << QColor(Qt::green) << QColor(Qt::black) << 15.3;
    }
    void ratioOfKnownColours() {
        QFETCH(QColor, a);
        QFETCH(QColor, b);
        QFETCH(double, ratio);
        QVERIFY2(std::abs(ContrastRatio(a, b) - ratio) < 0.01,
                 qPrintable(QString::number(ContrastRatio(a, b))));
        QCOMPARE(ContrastRatio(a, b), ContrastRatio(b, a));
    }

    void angleModeRedReadsOnEveryGrey_data() {
        QTest::addColumn<QColor>("background");
        QTest::newRow("Fusion light") << QColor(0xef, 0xef, 0xef);
        QTest::newRow("white") << QColor(Qt::white);
        QTest::newRow("Fusion dark") << QColor(0x35, 0x35, 0x35);
        QTest::newRow("Adwaita dark") << QColor(0x24, 0x24, 0x24);
        QTest::newRow("black") << QColor(Qt::black);
    }
    void angleModeRedReadsOnEveryGrey() {
        QFETCH(QColor, background);
        const QColor red = AngleModeRed(background);
        QVERIFY(ContrastRatio(red, background) >= kAngleModeContrast);
        // Still a red: the red channel well above the others.
        QVERIFY(red.red() > 2 * std::max(red.green(), red.blue()));
    }

    // After every command X stands selected: its digits are read on the selection's colour.
    void selectedDigitsStandOut_data() {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<bool>("switchedWhileShown");
        QTest::newRow("light") << false << false;
        QTest::newRow("dark") << true << false;
        QTest::newRow("dark after light") << true << true;
    }
    void selectedDigitsStandOut() {
        QFETCH(bool, dark);
        QFETCH(bool, switchedWhileShown);
        const QPalette wanted = dark ? DarkPalette() : LightPalette();
        QApplication::setPalette(switchedWhileShown ? (dark ? LightPalette() : DarkPalette())
                                                    : wanted);
        testing::ShownCalculator calc(1.0);
        MainWindow& w = *calc.window;
        QVERIFY(QTest::qWaitForWindowActive(&w));
        if (switchedWhileShown) {
            QApplication::setPalette(wanted);
            QTRY_COMPARE(w.Edit(rpn::Field::X)->palette().color(QPalette::Highlight),
                         wanted.color(QPalette::Highlight));
        }
        for (const rpn::Field field :
             {rpn::Field::X, rpn::Field::Y, rpn::Field::Z, rpn::Field::T}) {
            RegisterEdit* edit = w.Edit(field);
            edit->setText(QStringLiteral("88888888888888"));
            edit->setFocus();
            edit->selectAll();
            QTRY_VERIFY(edit->hasFocus());
            const QImage shot = w.grab().toImage();
            const Measure m = MeasureInk(Inside(shot, *edit, w, shot.devicePixelRatio()));
            QVERIFY2(m.contrast >= kTextContrast,
                     qPrintable(QStringLiteral("%1: selected digits %2:1 on %3")
                                    .arg(edit->objectName())
                                    .arg(m.contrast, 0, 'f', 2)
                                    .arg(m.background.name())));
        }
    }

    void everyFaceStandsOut_data() {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<double>("scale");
        QTest::addColumn<bool>("switchedWhileShown");
        for (const bool dark : {false, true}) {
            for (const double scale : {0.8, 1.2}) {
                QTest::addRow("%s at %d dpi", dark ? "dark" : "light",
                              static_cast<int>(scale * 120))
                    << dark << scale << false;
            }
        }
        QTest::newRow("dark after start at 96 dpi") << true << 0.8 << true;
        QTest::newRow("light after dark at 96 dpi") << false << 0.8 << true;
        QTest::newRow("dark at 192 dpi") << true << 1.6 << false;
        QTest::newRow("light at 192 dpi") << false << 1.6 << false;
    }
    void everyFaceStandsOut() {
        QFETCH(bool, dark);
        QFETCH(double, scale);
        QFETCH(bool, switchedWhileShown);
        const QPalette wanted = dark ? DarkPalette() : LightPalette();
        const QPalette other = dark ? LightPalette() : DarkPalette();
        QApplication::setPalette(switchedWhileShown ? other : wanted);
        testing::ShownCalculator calc(scale);
        MainWindow& w = *calc.window;
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // The large view, with digits in every register and the keypad up.
        w.Button("ButtonSmall")->click();
        for (const char* key : {"1", "2", "3", "4"}) {
            w.Edit(rpn::Field::X)->setText(QString::fromLatin1(key).repeated(6));
            w.Button("ButtonE")->click();
        }
        w.ToggleKeypad();
        QVERIFY(QTest::qWaitForWindowExposed(calc.keypad));
        // The X field's selection is the palette's own highlight, not its digits.
        MainWindowAccess::Fields(w).Deselect(rpn::Field::X);
        if (switchedWhileShown) {
            // The application hands a new palette to its windows from the event loop.
            QApplication::setPalette(wanted);
            QTRY_COMPARE(w.palette().color(QPalette::Window), wanted.color(QPalette::Window));
            QTRY_COMPARE(calc.keypad->palette().color(QPalette::Window),
                         wanted.color(QPalette::Window));
        }
        const QString name = QStringLiteral("%1-%2dpi%3")
                                 .arg(dark ? "dark" : "light")
                                 .arg(static_cast<int>(scale * 120))
                                 .arg(switchedWhileShown ? "-switched" : "");
        CheckWindow(w, QStringLiteral("main-") + name);
        CheckWindow(*calc.keypad, QStringLiteral("keypad-") + name);
    }
};

QTEST_MAIN(ContrastTest)
#include "contrast_test.moc"

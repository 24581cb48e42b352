// The toolkit's floor: a plain Qt Widgets window with as many controls as the calculator's
// main window, of the same kinds, sizes and fonts, and nothing behind them. The benchmark
// measures it next to the calculator so that start-up, memory and repaint figures can be read
// as a ratio to what Qt itself costs on the same machine in the same run.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QWidget>
#include <climits>
#include <cmath>

namespace {

enum class Kind { Glyph, Label, Edit, Push };

struct Control {
    Kind kind;
    const char* caption;
    const char* tip;
    int left, top, width, height, fontHeight;
};

// Positions and sizes at 120 pixels per inch, as the calculator lays out its own window.
constexpr Control kControls[] = {
    {Kind::Glyph, "", "hint", 10, 176, 36, 36, 17},
    {Kind::Glyph, "", "hint", 62, 176, 36, 36, 27},
    {Kind::Glyph, "", "hint", 113, 176, 36, 36, 33},
    {Kind::Glyph, "", "hint", 165, 176, 36, 36, 33},
    {Kind::Glyph, "", "hint", 217, 176, 36, 36, 33},
    {Kind::Glyph, "", "hint", 268, 176, 36, 36, 17},
    {Kind::Glyph, "", "hint", 320, 176, 36, 36, 17},
    {Kind::Glyph, "", "hint", 372, 176, 36, 36, 17},
    {Kind::Glyph, "", "hint", 423, 176, 36, 36, 17},
    {Kind::Glyph, "", "hint", 475, 176, 36, 36, 17},
    {Kind::Glyph, "", "hint", 241, 7, 36, 36, 20},
    {Kind::Glyph, "", "hint", 241, 49, 36, 36, 33},
    {Kind::Glyph, "CA", "hint", 286, 7, 36, 36, 17},
    {Kind::Glyph, "CX", "hint", 287, 49, 36, 36, 17},
    {Kind::Label, "T", "", 4, 5, 30, 32, 23},
    {Kind::Label, "Z", "", 4, 48, 30, 32, 23},
    {Kind::Label, "Y", "", 4, 88, 30, 32, 23},
    {Kind::Label, "X", "", 4, 131, 30, 32, 23},
    {Kind::Edit, "", "", 36, 7, 193, 33, 23},
    {Kind::Edit, "", "", 36, 49, 193, 33, 23},
    {Kind::Edit, "", "", 36, 90, 193, 33, 23},
    {Kind::Edit, "", "", 36, 131, 193, 33, 23},
    {Kind::Push, "Edit X", "hint", 241, 90, 83, 36, 20},
    {Kind::Push, "Enter", "", 241, 130, 83, 36, 20},
    {Kind::Push, "Keys", "hint", 336, 7, 54, 36, 20},
    {Kind::Push, "Help", "hint", 396, 7, 54, 36, 20},
    {Kind::Push, "Exit", "hint", 455, 7, 54, 36, 20},
    {Kind::Push, "Back", "hint", 336, 48, 54, 36, 20},
    {Kind::Push, "Trig", "hint", 455, 48, 54, 36, 20},
    {Kind::Push, "Copy", "hint", 335, 88, 82, 36, 20},
    {Kind::Push, "Paste", "hint", 335, 129, 82, 36, 20},
    {Kind::Push, "STO", "hint", 429, 88, 82, 36, 20},
    {Kind::Push, "RCL", "hint", 429, 129, 82, 36, 20},
    {Kind::Push, "sin (x)", "", 10, 228, 66, 31, 15},
    {Kind::Push, "cos (x)", "", 80, 228, 66, 31, 15},
    {Kind::Push, "tan (x)", "", 151, 228, 66, 31, 15},
    {Kind::Label, "Degrees", "", 221, 230, 74, 30, 15},
    {Kind::Push, "deg>rad", "hint", 296, 228, 72, 31, 15},
    {Kind::Push, "log(x)", "", 374, 228, 66, 31, 15},
    {Kind::Push, "ln (x)", "", 446, 228, 66, 31, 15},
    {Kind::Push, "asin(x)", "", 10, 271, 66, 31, 15},
    {Kind::Push, "acos(x)", "", 80, 271, 66, 31, 15},
    {Kind::Push, "atan(x)", "", 151, 271, 66, 31, 15},
    {Kind::Push, "deg/rad", "hint", 222, 271, 68, 31, 15},
    {Kind::Push, "rad>deg", "hint", 296, 271, 72, 31, 15},
    {Kind::Push, "10^x", "", 374, 271, 66, 31, 15},
    {Kind::Push, "e^x", "", 446, 271, 66, 31, 15},
};

constexpr int kClientWidth = 522;
constexpr int kClientHeight = 311;

int Scaled(int designed, double scale) {
    return static_cast<int>(std::lround(designed * scale));
}

QFont ControlFont(int height, double scale) {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(Scaled(height, scale));
    font.setBold(true);
    return font;
}

QPixmap Glyph() {
    QPixmap pixmap(16, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.drawLine(2, 7, 13, 7);
    painter.drawLine(8, 2, 8, 12);
    return pixmap;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double scale = screen ? screen->logicalDotsPerInchY() / 120.0 : 1.0;

    QWidget window(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                                Qt::WindowStaysOnTopHint);
    window.setWindowTitle(argc > 1 ? QString::fromLocal8Bit(argv[1])
                                   : QStringLiteral("rpncalc floor"));
    QFont windowFont(QStringLiteral("Liberation Serif"));
    windowFont.setPixelSize(Scaled(17, scale));
    window.setFont(windowFont);

    const QPixmap glyph = Glyph();
    QLineEdit* entry = nullptr;
    for (const Control& c : kControls) {
        QWidget* w = nullptr;
        switch (c.kind) {
            case Kind::Glyph: {
                auto* button = new QToolButton(&window);
                button->setAutoRaise(true);
                button->setFocusPolicy(Qt::NoFocus);
                if (*c.caption) {
                    button->setText(QString::fromLatin1(c.caption));
                } else {
                    button->setIcon(glyph);
                    button->setIconSize(glyph.size());
                }
                w = button;
                break;
            }
            case Kind::Label: {
                auto* label = new QLabel(QString::fromLatin1(c.caption), &window);
                label->setAlignment(Qt::AlignCenter);
                w = label;
                break;
            }
            case Kind::Edit: {
                auto* edit = new QLineEdit(&window);
                edit->setText(QStringLiteral("0"));
                // The last field is the entry: editable, without a length limit, like the
                // calculator's X field; the others are read-only on a lime background.
                if (c.top == 131) {
                    edit->setMaxLength(INT_MAX);
                    entry = edit;
                } else {
                    edit->setReadOnly(true);
                    edit->setFocusPolicy(Qt::ClickFocus);
                    QPalette palette = edit->palette();
                    palette.setColor(QPalette::Base, QColor(0, 255, 0));
                    edit->setPalette(palette);
                }
                w = edit;
                break;
            }
            case Kind::Push: {
                auto* button = new QPushButton(QString::fromLatin1(c.caption), &window);
                button->setFocusPolicy(Qt::ClickFocus);
                w = button;
                break;
            }
        }
        if (*c.tip) {
            w->setToolTip(QString::fromLatin1(c.tip));
        }
        w->setFont(ControlFont(c.fontHeight, scale));
        w->setGeometry(Scaled(c.left, scale), Scaled(c.top, scale), Scaled(c.width, scale),
                       Scaled(c.height, scale));
    }

    // The calculator opens in its compact view, a quarter of its height cut off.
    const int height = Scaled(kClientHeight, scale);
    window.setFixedSize(Scaled(kClientWidth, scale), height - height / 4);
    window.show();
    entry->setFocus();
    entry->selectAll();
    return QApplication::exec();
}

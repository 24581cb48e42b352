// SPDX-License-Identifier: GPL-3.0-or-later
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

#include "layout/main_window_layout.h"

namespace {

using rpn::ui::ControlKind;
using rpn::ui::ControlLayout;
using rpn::ui::ControlRole;
using rpn::ui::kClientHeight;
using rpn::ui::kClientWidth;
using rpn::ui::kWindowFontHeight;

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
    windowFont.setPixelSize(Scaled(kWindowFontHeight, scale));
    window.setFont(windowFont);

    const QPixmap glyph = Glyph();
    QLineEdit* entry = nullptr;
    for (const ControlLayout& c : rpn::ui::MainWindowControls()) {
        QWidget* w = nullptr;
        switch (c.kind) {
            case ControlKind::GlyphButton: {
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
            case ControlKind::Label: {
                auto* label = new QLabel(QString::fromLatin1(c.caption), &window);
                label->setAlignment(Qt::AlignCenter);
                w = label;
                break;
            }
            case ControlKind::EditField: {
                auto* edit = new QLineEdit(&window);
                edit->setText(QStringLiteral("0"));
                // The X field is the entry: editable, without a length limit, like the
                // calculator's; the others are read-only on a lime background.
                if (c.role == ControlRole::XField) {
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
            case ControlKind::PushButton: {
                auto* button = new QPushButton(QString::fromLatin1(c.caption), &window);
                button->setFocusPolicy(Qt::ClickFocus);
                w = button;
                break;
            }
        }
        if (*c.hint) {
            w->setToolTip(QString::fromLatin1(c.hint));
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

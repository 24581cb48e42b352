// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/keypad_buttons.h"

#include <QImage>
#include <QToolButton>
#include <array>

#include "layout/keypad_layout.h"
#include "ui/layout_scale.h"
#include "ui/readable_colours.h"

namespace rpn::ui {

namespace {

constexpr int kGlyphSize = 8;

// Rows from the top, each an 8-character picture of the black pixels.
constexpr std::array<const char*, kGlyphSize> kPointRows{{
    "........",
    "........",
    "...##...",
    "..####..",
    "..####..",
    "...##...",
    "........",
    "........",
}};
constexpr std::array<const char*, kGlyphSize> kMinusRows{{
    "........",
    "........",
    "########",
    "########",
    "########",
    "........",
    "........",
    "........",
}};

QFont KeyFont(double scale) {
    // The designed face is a Windows bitmap font; any sans face of the same height reads the
    // same on a key.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, Scaled(kKeypadFontHeight, scale)));
    font.setBold(true);
    return font;
}

}  // namespace

QPixmap KeypadGlyph(char key, double scale) {
    const auto& rows = key == '.' ? kPointRows : kMinusRows;
    QImage image(kGlyphSize, kGlyphSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int row = 0; row < kGlyphSize; ++row) {
        for (int column = 0; column < kGlyphSize; ++column) {
            if (rows[row][column] == '#') {
                image.setPixel(column, row, qRgb(0, 0, 0));
            }
        }
    }
    const int size = std::max(kGlyphSize, Scaled(kGlyphSize, scale));
    return QPixmap::fromImage(
        image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

void AddKeypadButtons(QWidget* keypad, double scale, const std::function<void(char)>& typeKey) {
    const QFont font = KeyFont(scale);
    for (const KeypadKeyLayout& key : KeypadKeys()) {
        auto* button = new QToolButton(keypad);
        button->setObjectName(QString::fromLatin1(key.name));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(Scaled(key.left, scale), Scaled(key.top, scale),
                            Scaled(key.width, scale), Scaled(key.height, scale));
        button->setFont(font);
        button->setAccessibleName(QString::fromLatin1(key.spoken));
        if (*key.caption) {
            button->setText(QString::fromLatin1(key.caption));
        } else {
            const QPixmap glyph = KeypadGlyph(key.character, scale);
            button->setIcon(QIcon(glyph));
            button->setIconSize(glyph.size());
            InkGlyphIcon(*button, keypad->palette().color(QPalette::ButtonText));
        }
        const char character = key.character;
        QObject::connect(button, &QToolButton::clicked, keypad,
                         [typeKey, character] { typeKey(character); });
    }
}

void InkKeypadGlyphs(QWidget& keypad) {
    // The keypad's palette, not the keys': the window hears of a new palette before it hands
    // it on to its keys.
    const QColor ink = keypad.palette().color(QPalette::ButtonText);
    for (QToolButton* button : keypad.findChildren<QToolButton*>()) {
        InkGlyphIcon(*button, ink);
    }
}

}  // namespace rpn::ui

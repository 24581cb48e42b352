// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/keypad_buttons.h"

#include <QImage>
#include <QToolButton>
#include <array>

#include "ui/layout_scale.h"
#include "ui/readable_colours.h"

namespace rpn::ui {

namespace {

constexpr int kKeySize = 25;
constexpr int kGlyphSize = 8;
constexpr int kKeyFontHeight = 13;

struct KeypadKey {
    const char* name;
    char character;
    int left;
    int top;
    // What a screen reader says for the key; the point and minus keys show only a glyph.
    const char* spoken;
};

constexpr std::array<KeypadKey, 12> kKeys{{
    {"SpeedButton7", '7', 8, 8, "7"},
    {"SpeedButton8", '8', 43, 8, "8"},
    {"SpeedButton9", '9', 77, 8, "9"},
    {"SpeedButton10", '0', 112, 8, "0"},
    {"SpeedButton4", '4', 8, 40, "4"},
    {"SpeedButton5", '5', 43, 40, "5"},
    {"SpeedButton6", '6', 77, 40, "6"},
    {"SpeedButton11", '.', 112, 40, "decimal point"},
    {"SpeedButton1", '1', 8, 72, "1"},
    {"SpeedButton2", '2', 43, 72, "2"},
    {"SpeedButton3", '3', 77, 72, "3"},
    {"SpeedButton12", '-', 112, 72, "minus"},
}};

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
    font.setPixelSize(std::max(1, Scaled(kKeyFontHeight, scale)));
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
    for (const KeypadKey& key : kKeys) {
        auto* button = new QToolButton(keypad);
        button->setObjectName(QString::fromLatin1(key.name));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(Scaled(key.left, scale), Scaled(key.top, scale),
                            Scaled(kKeySize, scale), Scaled(kKeySize, scale));
        button->setFont(font);
        button->setAccessibleName(QString::fromLatin1(key.spoken));
        if (key.character == '.' || key.character == '-') {
            const QPixmap glyph = KeypadGlyph(key.character, scale);
            button->setIcon(QIcon(glyph));
            button->setIconSize(glyph.size());
            InkGlyphIcon(*button, keypad->palette().color(QPalette::ButtonText));
        } else {
            button->setText(QString(QLatin1Char(key.character)));
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

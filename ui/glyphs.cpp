// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/glyphs.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace rpn::ui {

namespace {

constexpr int kGlyphWidth = 16;
constexpr int kWideGlyphWidth = 18;
constexpr int kGlyphHeight = 14;

// Stroke weights in designed pixels. Below about 1.5 device pixels a stroke is either one
// pixel or two, so the weight is rounded to whole device pixels and every point snapped to
// the pixel grid: a stroke that straddles two pixels at half strength is what makes a small
// glyph a smudge.
constexpr qreal kSignWeight = 1.6;    // + - x / and the root sign
constexpr qreal kLetterWeight = 1.6;  // letters and digits at full size
constexpr qreal kSmallWeight = 1.1;   // raised letters, arrows, x and y of the interchange

// Draws on a field of designed pixels, `devicePixels` device pixels each. Letters are drawn
// as strokes rather than set in a font: no font face has to be found and loaded for them, and
// a stroke can be put on the pixel grid at every size.
class GlyphPainter {
  public:
    GlyphPainter(QPainter& painter, qreal devicePixels)
        : painter_(painter), devicePixels_(devicePixels) {
        Weight(kSignWeight);
    }

    void Weight(qreal designed) {
        penWidth_ = std::max<qreal>(1, std::round(designed * devicePixels_));
        painter_.setPen(QPen(Qt::black, penWidth_, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        // A one-pixel slant smoothed at the edges comes out grey and faint: keep it solid.
        painter_.setRenderHint(QPainter::Antialiasing, penWidth_ > 1);
        painter_.setBrush(Qt::NoBrush);
    }

    // A designed coordinate on the device: on a pixel centre for an odd stroke width, on a
    // pixel edge for an even one, so that straight strokes cover whole pixels.
    qreal Snap(qreal designed) const {
        const qreal offset = std::fmod(penWidth_, 2) / 2;
        return std::round(designed * devicePixels_ - offset) + offset;
    }
    QPointF At(qreal x, qreal y) const { return {Snap(x), Snap(y)}; }

    void Line(qreal x1, qreal y1, qreal x2, qreal y2) { painter_.drawLine(At(x1, y1), At(x2, y2)); }

    void Path(const QPainterPath& designed) {
        QPainterPath device;
        for (int i = 0; i < designed.elementCount(); ++i) {
            const QPainterPath::Element e = designed.elementAt(i);
            if (e.isMoveTo()) {
                device.moveTo(At(e.x, e.y));
            } else if (e.isLineTo()) {
                device.lineTo(At(e.x, e.y));
            } else {
                // A curve: its two control points follow in the next two elements.
                const QPainterPath::Element c2 = designed.elementAt(i + 1);
                const QPainterPath::Element end = designed.elementAt(i + 2);
                device.cubicTo(At(e.x, e.y), At(c2.x, c2.y), At(end.x, end.y));
                i += 2;
            }
        }
        painter_.drawPath(device);
    }

    void Dot(qreal cx, qreal cy, qreal radius) {
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(Qt::black);
        painter_.setRenderHint(QPainter::Antialiasing);
        const qreal r = std::max<qreal>(0.8, radius * devicePixels_);
        painter_.drawEllipse(
            QPointF(std::round(cx * devicePixels_), std::round(cy * devicePixels_)), r, r);
        Weight(kSignWeight);
    }

    // The letters, each in the box left..right, top..bottom (the x-height for x and y, whose
    // descender reaches below `bottom`).
    void LetterX(qreal left, qreal top, qreal right, qreal bottom) {
        // Leaning like an italic x, so that it does not read as the multiplication cross.
        const qreal lean = (bottom - top) * 0.15;
        Line(left + lean, top, right - lean * 0.3, bottom);
        Line(right + lean * 0.3, top, left - lean * 0.3, bottom);
    }

    void LetterY(qreal left, qreal top, qreal right, qreal bottom, qreal descender) {
        const qreal middle = (left + right) / 2;
        Line(left, top, middle, bottom);
        Line(right, top, left, bottom + descender);
    }

    void DigitTwo(qreal left, qreal top, qreal right, qreal bottom) {
        const qreal h = bottom - top;
        QPainterPath two;
        two.moveTo(left, top + h * 0.3);
        two.cubicTo(left, top - h * 0.05, right, top - h * 0.05, right, top + h * 0.3);
        two.cubicTo(right, top + h * 0.5, left, top + h * 0.75, left, bottom);
        two.lineTo(right, bottom);
        Path(two);
    }

    void DigitOne(qreal left, qreal top, qreal right, qreal bottom) {
        const qreal stem = (left + right) / 2 + 0.5;
        QPainterPath one;
        one.moveTo(left, top + (bottom - top) * 0.3);
        one.lineTo(stem, top);
        one.lineTo(stem, bottom);
        Path(one);
    }

    void LetterE(qreal left, qreal top, qreal right, qreal bottom) {
        QPainterPath e;
        e.moveTo(right, top);
        e.lineTo(left, top);
        e.lineTo(left, bottom);
        e.lineTo(right, bottom);
        Path(e);
        Line(left, (top + bottom) / 2, right - 1, (top + bottom) / 2);
    }

    void LetterR(qreal left, qreal top, qreal right, qreal bottom) {
        const qreal middle = std::round((top + bottom) / 2);
        const qreal bowl = right - (middle - top) / 2;
        QPainterPath r;
        r.moveTo(left, bottom);
        r.lineTo(left, top);
        r.lineTo(bowl, top);
        r.cubicTo(right + 0.5, top, right + 0.5, middle, bowl, middle);
        r.lineTo(left, middle);
        Path(r);
        Line(bowl - 1, middle, right, bottom);
    }

    void PlusMinus(qreal cx, qreal top, qreal half) {
        Line(cx - half, top + half, cx + half, top + half);
        Line(cx, top, cx, top + 2 * half);
        Line(cx - half, top + 2 * half + 2.5, cx + half, top + 2 * half + 2.5);
    }

    // An arrow along a row from `fromX` to `toX` (either way) with one barb at `toX`, bent
    // `barb` pixels down (up when negative).
    void Harpoon(qreal fromX, qreal toX, qreal y, qreal barb) {
        const qreal back = toX > fromX ? -std::abs(barb) : std::abs(barb);
        QPainterPath harpoon;
        harpoon.moveTo(fromX, y);
        harpoon.lineTo(toX, y);
        harpoon.lineTo(toX + back, y + barb);
        Path(harpoon);
    }

  private:
    QPainter& painter_;
    qreal devicePixels_;
    qreal penWidth_ = 1;
};

// The face of the glyph button whose click runs `action`.
struct Face {
    ControlAction action;
    int width;
    std::function<void(GlyphPainter&)> paint;
};

const std::vector<Face>& Faces() {
    static const std::vector<Face> faces = {
        {Calculate(Operation::ChangeSign), kGlyphWidth,
         [](GlyphPainter& g) { g.PlusMinus(8, 1, 4); }},
        {Calculate(Operation::Add), kGlyphWidth,
         [](GlyphPainter& g) {
             g.Line(2, 7, 14, 7);
             g.Line(8, 1, 8, 13);
         }},
        {Calculate(Operation::Subtract), kGlyphWidth, [](GlyphPainter& g) { g.Line(2, 7, 14, 7); }},
        {Calculate(Operation::Multiply), kGlyphWidth,
         [](GlyphPainter& g) {
             g.Line(3, 2, 13, 12);
             g.Line(13, 2, 3, 12);
         }},
        {Calculate(Operation::Divide), kGlyphWidth,
         [](GlyphPainter& g) {
             g.Line(2, 7, 14, 7);
             g.Dot(8, 2.5, 1.5);
             g.Dot(8, 11.5, 1.5);
         }},
        {Calculate(Operation::Power), kGlyphWidth,
         [](GlyphPainter& g) {
             g.Weight(kLetterWeight);
             g.LetterY(1, 5, 9, 11, 3);
             g.Weight(kSmallWeight);
             g.LetterX(10, 1, 15, 6);
         }},
        {Calculate(Operation::SquareRoot), kGlyphWidth,
         [](GlyphPainter& g) {
             QPainterPath root;
             root.moveTo(0, 8);
             root.lineTo(2, 7);
             root.lineTo(4.5, 13);
             root.lineTo(7.5, 1);
             root.lineTo(16, 1);
             g.Path(root);
             g.Weight(kLetterWeight);
             g.LetterX(9, 5, 15, 12);
         }},
        {Calculate(Operation::Square), kGlyphWidth,
         [](GlyphPainter& g) {
             g.Weight(kLetterWeight);
             g.LetterX(1, 5, 9, 13);
             g.Weight(kSmallWeight);
             g.DigitTwo(10, 0.5, 15, 6.5);
         }},
        {Calculate(Operation::Reciprocal), kGlyphWidth,
         [](GlyphPainter& g) {
             g.Weight(kSmallWeight);
             g.DigitOne(1, 0.5, 5, 6.5);
             g.Weight(kLetterWeight);
             g.Line(11, 0, 4, 14);
             g.LetterX(9, 6, 16, 13);
         }},
        {Run(Command::ToggleExponentSign), kWideGlyphWidth,
         [](GlyphPainter& g) {
             g.Weight(kLetterWeight);
             g.LetterE(1, 1, 8, 13);
             g.Weight(kSmallWeight);
             g.PlusMinus(13.5, 3, 3);
         }},
        {Calculate(Operation::RollDown), kGlyphWidth,
         [](GlyphPainter& g) {
             g.Weight(kLetterWeight);
             g.LetterR(1, 1, 8, 13);
             g.Weight(kSmallWeight);
             g.Line(13, 1, 13, 13);
             QPainterPath head;
             head.moveTo(10.5, 10.5);
             head.lineTo(13, 13);
             head.lineTo(15.5, 10.5);
             g.Path(head);
         }},
        {Calculate(Operation::SwapXY), kGlyphWidth,
         [](GlyphPainter& g) {
             // The letters side by side over the two arrows, each arrow the glyph's full
             // width: between the letters there is no room for two arrows that stay apart.
             g.Weight(kLetterWeight);
             g.LetterX(0.5, 0, 6.5, 7);
             g.LetterY(9, 0, 15.5, 5.5, 2.5);
             // Half heads that point away from each other, as in a reversible reaction.
             g.Weight(kSmallWeight);
             g.Harpoon(0.5, 15.5, 10, -2);
             g.Harpoon(15.5, 0.5, 12.5, 1.5);
         }},
    };
    return faces;
}

// The least number of device pixels, from `devicePixels` on, that is a whole number of
// logical pixels at `ratio`. A button lays its icon out in whole logical pixels: an icon of a
// fractional logical size would be stretched to fit, and its one-pixel strokes go soft.
int WholeLogicalPixels(int devicePixels, qreal ratio) {
    for (int n = devicePixels; n < devicePixels + 16; ++n) {
        const qreal logical = n / ratio;
        if (std::abs(logical - std::round(logical)) < 1e-6) {
            return n;
        }
    }
    return devicePixels;
}

}  // namespace

QPixmap GlyphPixmap(const ControlAction& action, qreal scale, qreal devicePixelRatio) {
    const auto& faces = Faces();
    const auto face = std::find_if(faces.begin(), faces.end(),
                                   [&action](const Face& f) { return f.action == action; });
    if (face == faces.end()) {
        return {};
    }
    // Never fewer device pixels than designed: below that the strokes run into each other.
    const qreal devicePixels = std::max<qreal>(1, scale * devicePixelRatio);
    const int drawnWidth = static_cast<int>(std::lround(face->width * devicePixels));
    const int drawnHeight = static_cast<int>(std::lround(kGlyphHeight * devicePixels));
    QImage image(WholeLogicalPixels(drawnWidth, devicePixelRatio),
                 WholeLogicalPixels(drawnHeight, devicePixelRatio),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        // Centred on whole device pixels in the margin that the padding added.
        painter.translate((image.width() - drawnWidth) / 2, (image.height() - drawnHeight) / 2);
        GlyphPainter glyph(painter, devicePixels);
        face->paint(glyph);
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon MainWindowIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A calculator body with a lime register display and a block of keys.
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(0x80, 0x80, 0x80));
    p.drawRoundedRect(QRectF(3.5, 0.5, 25, 31), 3, 3);
    p.setBrush(QColor(0x00, 0xff, 0x00));
    p.drawRect(QRectF(6.5, 3.5, 19, 8));
    p.setBrush(Qt::white);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            p.drawRect(QRectF(6.5 + col * 7, 14.5 + row * 5.5, 5, 4));
        }
    }
    return QIcon(pixmap);
}

}  // namespace rpn::ui

#include "ui/glyphs.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>
#include <string>
#include <unordered_map>

namespace rpn::ui {

namespace {

constexpr int kGlyphWidth = 16;
constexpr int kWideGlyphWidth = 18;
constexpr int kGlyphHeight = 14;

void Line(QPainter& p, qreal x1, qreal y1, qreal x2, qreal y2) {
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

// Letters in the glyphs are italic serif, the way formulas are set.
void Letter(QPainter& p, const QString& text, QRectF box, int pixelSize, bool italic = true) {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixelSize);
    font.setItalic(italic);
    font.setBold(true);
    p.setFont(font);
    p.drawText(box, Qt::AlignCenter, text);
}

void PlusMinus(QPainter& p, qreal cx, qreal top, qreal half) {
    Line(p, cx - half, top + half, cx + half, top + half);
    Line(p, cx, top, cx, top + 2 * half);
    Line(p, cx - half, top + 2 * half + 3, cx + half, top + 2 * half + 3);
}

void ArrowHead(QPainter& p, QPointF tip, qreal dx, qreal dy) {
    // dx, dy: the direction the arrow points, as a unit step.
    const QPointF back(-dx * 2.5, -dy * 2.5);
    const QPointF side(-dy * 2.2, dx * 2.2);
    Line(p, tip.x(), tip.y(), tip.x() + back.x() + side.x(), tip.y() + back.y() + side.y());
    Line(p, tip.x(), tip.y(), tip.x() + back.x() - side.x(), tip.y() + back.y() - side.y());
}

using Painter = std::function<void(QPainter&)>;

const std::unordered_map<std::string, Painter>& Painters() {
    static const std::unordered_map<std::string, Painter> painters = {
        {"SpeedButtonPM", [](QPainter& p) { PlusMinus(p, 8, 1.5, 4); }},
        {"SpeedButtonP",
         [](QPainter& p) {
             Line(p, 2.5, 7, 13.5, 7);
             Line(p, 8, 1.5, 8, 12.5);
         }},
        {"SpeedButtonM", [](QPainter& p) { Line(p, 2.5, 7, 13.5, 7); }},
        {"SpeedButtonMu",
         [](QPainter& p) {
             Line(p, 3.5, 2.5, 12.5, 11.5);
             Line(p, 12.5, 2.5, 3.5, 11.5);
         }},
        {"SpeedButtonD",
         [](QPainter& p) {
             Line(p, 2.5, 7, 13.5, 7);
             p.setBrush(Qt::black);
             p.drawEllipse(QPointF(8, 2.8), 1.4, 1.4);
             p.drawEllipse(QPointF(8, 11.2), 1.4, 1.4);
         }},
        {"SpeedButtonYX",
         [](QPainter& p) {
             Letter(p, QStringLiteral("y"), QRectF(1, 0, 10, 12), 13);
             Letter(p, QStringLiteral("x"), QRectF(8, -1, 8, 9), 9);
         }},
        {"SpeedButtonSqr",
         [](QPainter& p) {
             QPainterPath root;
             root.moveTo(0.5, 8);
             root.lineTo(2.5, 7);
             root.lineTo(4.5, 12.5);
             root.lineTo(7.5, 1.5);
             root.lineTo(15.5, 1.5);
             p.drawPath(root);
             Letter(p, QStringLiteral("x"), QRectF(7, 3, 9, 11), 11);
         }},
        {"SpeedButtonX2",
         [](QPainter& p) {
             Letter(p, QStringLiteral("x"), QRectF(0, 2, 10, 12), 13);
             Letter(p, QStringLiteral("2"), QRectF(9, -1, 7, 9), 9, false);
         }},
        {"SpeedButton1X",
         [](QPainter& p) {
             Letter(p, QStringLiteral("1"), QRectF(0, 0, 7, 10), 10, false);
             Line(p, 11, 1.5, 5, 12.5);
             Letter(p, QStringLiteral("x"), QRectF(9, 4, 7, 10), 11);
         }},
        {"SpeedButtonPME",
         [](QPainter& p) {
             Letter(p, QStringLiteral("E"), QRectF(0, 0, 10, 14), 13, false);
             PlusMinus(p, 13.5, 2, 3);
         }},
        {"SpeedButtonR",
         [](QPainter& p) {
             Letter(p, QStringLiteral("R"), QRectF(0, 0, 10, 14), 13, false);
             Line(p, 12.5, 1.5, 12.5, 12);
             ArrowHead(p, QPointF(12.5, 12.5), 0, 1);
         }},
        {"SpeedButtonxy",
         [](QPainter& p) {
             Letter(p, QStringLiteral("x"), QRectF(-1, 0, 7, 12), 11);
             Letter(p, QStringLiteral("y"), QRectF(10, 0, 7, 12), 11);
             p.setPen(QPen(Qt::black, 1.1, Qt::SolidLine, Qt::RoundCap));
             Line(p, 6, 3.5, 10.5, 3.5);
             ArrowHead(p, QPointF(10.5, 3.5), 1, 0);
             Line(p, 5.5, 10.5, 10, 10.5);
             ArrowHead(p, QPointF(5.5, 10.5), -1, 0);
         }},
    };
    return painters;
}

}  // namespace

QPixmap GlyphPixmap(std::string_view controlName, qreal scale, qreal devicePixelRatio) {
    const auto& painters = Painters();
    const auto it = painters.find(std::string(controlName));
    if (it == painters.end()) {
        return {};
    }
    const int width = controlName == "SpeedButtonPME" ? kWideGlyphWidth : kGlyphWidth;
    QPixmap pixmap(static_cast<int>(std::lround(width * scale * devicePixelRatio)),
                   static_cast<int>(std::lround(kGlyphHeight * scale * devicePixelRatio)));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    painter.setPen(QPen(Qt::black, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    it->second(painter);
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

#include "ui/keys_window.h"

#include <QCloseEvent>
#include <QShowEvent>

#include "ui/layout_scale.h"

namespace rpn::ui {

namespace {

constexpr int kClientWidth = 146;
constexpr int kClientHeight = 105;
constexpr int kDesignedLeft = 69;
constexpr int kDesignedTop = 277;

}  // namespace

TKeysF::TKeysF(KeypadState& keypad, double scale, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      keypad_(keypad) {
    setObjectName(QStringLiteral("KeysF"));
    setWindowTitle(QStringLiteral("RPN KEYS"));
    setFixedSize(Scaled(kClientWidth, scale), Scaled(kClientHeight, scale));
    move(Scaled(kDesignedLeft, scale), Scaled(kDesignedTop, scale));
}

rpn::WindowPosition TKeysF::Position() const {
    return {y(), x()};
}

void TKeysF::FormShow() {
    move(keypad_.KeypadPos.left, keypad_.KeypadPos.top);
}

void TKeysF::FormClose() {
    keypad_.KeypadShown = false;
    keypad_.KeypadPos = Position();
}

void TKeysF::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TKeysF::closeEvent(QCloseEvent* event) {
    FormClose();
    // Closing only hides the window: it lives as long as the program.
    event->accept();
}

}  // namespace rpn::ui

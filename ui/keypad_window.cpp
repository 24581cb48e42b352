#include "ui/keypad_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QShowEvent>
#include <utility>

#include "ui/frame_position.h"
#include "ui/key_mapping.h"
#include "ui/keypad_buttons.h"
#include "ui/layout_scale.h"

namespace rpn::ui {

namespace {

constexpr int kClientWidth = 146;
constexpr int kClientHeight = 105;
constexpr int kDesignedLeft = 69;
constexpr int kDesignedTop = 277;

}  // namespace

KeypadWindow::KeypadWindow(KeypadState& keypad, double scale, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      keypad_(keypad),
      scale_(scale),
      placer_(new FramePlacer(*this)) {
    setObjectName(QStringLiteral("KeysF"));
    setWindowTitle(QStringLiteral("RPN KEYS"));
    setFixedSize(Scaled(kClientWidth, scale), Scaled(kClientHeight, scale));
    // It comes up beside the main window without taking the keyboard from it; a click on it
    // still makes it the active window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    // The designed position is in screen pixels: only what lies inside the window scales.
    placer_->MoveTo({kDesignedTop, kDesignedLeft});
}

rpn::WindowPosition KeypadWindow::Position() const {
    return placer_->Position();
}

void KeypadWindow::ConnectKeys(const std::function<void(char)>& typeKey,
                               std::function<void(char)> appendKey) {
    AddKeypadButtons(this, scale_, typeKey);
    appendKey_ = std::move(appendKey);
}

void KeypadWindow::PlaceOnShow() {
    placer_->Place(keypad_.KeypadPos);
}

void KeypadWindow::RecordOnClose() {
    keypad_.KeypadShown = false;
    keypad_.KeypadPos = Position();
}

void KeypadWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        InkKeypadGlyphs(*this);
    }
    QWidget::changeEvent(event);
}

void KeypadWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        PlaceOnShow();
    }
}

void KeypadWindow::AppendTypedKey(char key) {
    if (appendKey_) {
        appendKey_(key);
    }
}

void KeypadWindow::keyPressEvent(QKeyEvent* event) {
    // No control on the window takes the focus: the window gets the typed characters itself.
    if (const std::optional<char> typed = CharacterOf(*event)) {
        AppendTypedKey(*typed);
        return;
    }
    QWidget::keyPressEvent(event);
}

void KeypadWindow::closeEvent(QCloseEvent* event) {
    RecordOnClose();
    // Closing only hides the window: it lives as long as the program.
    event->accept();
}

}  // namespace rpn::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/message_boxes.h"

#include <QMessageBox>

namespace rpn::ui {

namespace {

class QtMessageBoxes : public MessageBoxes {
  public:
    void ShowStop(QWidget* parent, const QString& caption, const QString& text) override {
        QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, parent);
        box.exec();
    }
    bool AskYesNo(QWidget* parent, const QString& caption, const QString& text) override {
        QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                        parent);
        box.setDefaultButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }
};

}  // namespace

MessageBoxes& SystemMessageBoxes() {
    static QtMessageBoxes boxes;
    return boxes;
}

}  // namespace rpn::ui

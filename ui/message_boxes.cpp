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
};

}  // namespace

MessageBoxes& SystemMessageBoxes() {
    static QtMessageBoxes boxes;
    return boxes;
}

}  // namespace rpn::ui

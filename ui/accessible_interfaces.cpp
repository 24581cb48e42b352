// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessible_interfaces.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>

#include "ui/keypad_window.h"
#include "ui/main_window.h"
#include "ui/register_edit.h"

namespace rpn::ui {

namespace {

// A register field that shows a value to read and copy: its text can be read and selected,
// but not changed. (Qt's own line edit interface calls every line edit editable.)
class ReadOnlyFieldAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit ReadOnlyFieldAccessible(QLineEdit* edit)
        : QAccessibleWidget(edit, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = false;
        state.readOnly = true;
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) {
            return Edit()->text();
        }
        return QAccessibleWidget::text(kind);
    }

    // QAccessibleTextInterface
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index == 0 && Edit()->hasSelectedText()) {
            *start = Edit()->selectionStart();
            *end = *start + Edit()->selectionLength();
        }
    }
    int selectionCount() const override { return Edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index == 0) {
            Edit()->deselect();
        }
    }
    void setSelection(int index, int start, int end) override {
        if (index == 0) {
            Edit()->setSelection(start, end - start);
        }
    }
    int cursorPosition() const override { return Edit()->cursorPosition(); }
    void setCursorPosition(int position) override { Edit()->setCursorPosition(position); }
    QString text(int start, int end) const override {
        return Edit()->text().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(Edit()->text().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint& point) const override {
        return Edit()->cursorPositionAt(Edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

  private:
    QLineEdit* Edit() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* CalculatorInterfaces(const QString& className, QObject* object) {
    if (className == QLatin1String(MainWindow::staticMetaObject.className()) ||
        className == QLatin1String(KeypadWindow::staticMetaObject.className())) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    if (className == QLatin1String(RegisterEdit::staticMetaObject.className())) {
        auto* edit = static_cast<RegisterEdit*>(object);
        if (edit->isReadOnly()) {
            return new ReadOnlyFieldAccessible(edit);
        }
    }
    return nullptr;
}

}  // namespace

void InstallAccessibleInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(CalculatorInterfaces);
        return true;
    }();
    (void)installed;
}

}  // namespace rpn::ui

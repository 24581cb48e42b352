// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/register_fields_port.h"

#include <QLabel>
#include <utility>

#include "ui/register_edit.h"

namespace rpn::ui {

RegisterFieldsPort::RegisterFieldsPort(WindowReactions reactions)
    : reactions_(std::move(reactions)) {}

void RegisterFieldsPort::Bind(const std::array<RegisterEdit*, 4>& edits, QLabel* angleMode) {
    edits_ = edits;
    angleMode_ = angleMode;
}

RegisterEdit* RegisterFieldsPort::Edit(Field field) const {
    return edits_[static_cast<int>(field)];
}

std::string RegisterFieldsPort::FieldText(Field field) const {
    return Edit(field)->text().toLatin1().toStdString();
}

void RegisterFieldsPort::SetFieldText(Field field, const std::string& text) {
    Edit(field)->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

int RegisterFieldsPort::SelectionStart(Field field) const {
    const RegisterEdit* edit = Edit(field);
    return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

int RegisterFieldsPort::SelectionLength(Field field) const {
    return Edit(field)->selectionLength();
}

void RegisterFieldsPort::SetCaret(Field field, int position) {
    RegisterEdit* edit = Edit(field);
    edit->deselect();
    edit->setCursorPosition(position);
}

void RegisterFieldsPort::Deselect(Field field) {
    RegisterEdit* edit = Edit(field);
    const int caret = edit->cursorPosition();
    edit->deselect();
    edit->setCursorPosition(caret);
}

void RegisterFieldsPort::FocusX() {
    Edit(Field::X)->setFocus(Qt::OtherFocusReason);
    reactions_.xFocused();
}

void RegisterFieldsPort::SelectAllX() {
    Edit(Field::X)->selectAll();
}

void RegisterFieldsPort::ShowAngleMode(const char* caption) {
    angleMode_->setText(QString::fromLatin1(caption));
    angleMode_->setAccessibleName(QString::fromLatin1(caption));
}

void RegisterFieldsPort::Beep() {
    reactions_.beep();
}

}  // namespace rpn::ui

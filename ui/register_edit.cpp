#include "ui/register_edit.h"

#include <QFocusEvent>
#include <limits>

namespace rpn::ui {

RegisterEdit::RegisterEdit(QWidget* parent) : QLineEdit(parent) {
    // An inactive window would draw the selection in the inactive colours, which hide it.
    QPalette pal = palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    }
    setPalette(pal);
    // An entry has no length limit: a line edit would otherwise cut pasted text at 32767.
    setMaxLength(std::numeric_limits<int>::max());
}

void RegisterEdit::focusInEvent(QFocusEvent* event) {
    // QLineEdit selects everything when tabbed into; the field keeps its selection instead.
    QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
    QLineEdit::focusInEvent(&plain);
    emit focusEntered();
    event->accept();
}

void RegisterEdit::focusOutEvent(QFocusEvent* event) {
    const int start = selectionStart();
    const int length = selectionLength();
    const bool caretAtStart = cursorPosition() == start;
    QLineEdit::focusOutEvent(event);
    if (start >= 0 && length > 0 && !hasSelectedText()) {
        // Restore it with the caret on the side it was on.
        if (caretAtStart) {
            setSelection(start + length, -length);
        } else {
            setSelection(start, length);
        }
    }
}

}  // namespace rpn::ui

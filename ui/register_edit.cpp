// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/register_edit.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <limits>
#include <utility>

#include "entry/entry_text_limit.h"
#include "ui/paste_source.h"

namespace rpn::ui {

RegisterEdit::RegisterEdit(QWidget* parent, bool readOnly) : QLineEdit(parent) {
    setReadOnly(readOnly);
    // An inactive window would draw the selection in the inactive colours, which hide it.
    QPalette pal = palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    }
    setPalette(pal);
    // The line edit's own maximum would cut a text silently (at 32767 by default): the entry's
    // limit is kept by the entry rules and the paste readers, which refuse with a beep.
    setMaxLength(std::numeric_limits<int>::max());
}

void RegisterEdit::RouteOwnPastes(PasteSource* source, std::function<void()> refuse) {
    source_ = source;
    refuse_ = std::move(refuse);
}

void RegisterEdit::Refuse() {
    if (refuse_) {
        refuse_();
    }
}

void RegisterEdit::InsertPasted(const std::optional<std::string>& text) {
    const auto length = static_cast<std::size_t>(this->text().size());
    const auto selected = static_cast<std::size_t>(selectedText().size());
    if (!text || !rpn::EntryFits(length, selected, text->size())) {
        Refuse();
        return;
    }
    if (!text->empty()) {
        insert(QString::fromLatin1(text->data(), static_cast<qsizetype>(text->size())));
    }
}

void RegisterEdit::PasteClipboard() {
    if (PastesRouted()) {
        InsertPasted(source_->Text());
    }
}

std::optional<std::string> RegisterEdit::ReadClipboard() {
    std::optional<std::string> text = source_ ? source_->Text() : std::nullopt;
    if (!text || !rpn::EntryFits(0, 0, text->size())) {
        Refuse();
        return std::nullopt;
    }
    return text;
}

void RegisterEdit::keyPressEvent(QKeyEvent* event) {
    // Shift+Insert, and the keyboard's own Paste key.
    if (PastesRouted() && event->matches(QKeySequence::Paste)) {
        PasteClipboard();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void RegisterEdit::inputMethodEvent(QInputMethodEvent* event) {
    // An input method commits its text straight into the field, past the keyboard's road.
    const auto committed = static_cast<std::size_t>(event->commitString().size());
    if (PastesRouted() && committed > 0 &&
        !rpn::EntryFits(static_cast<std::size_t>(text().size()),
                        static_cast<std::size_t>(selectedText().size()), committed)) {
        Refuse();
        // The text being composed still shows; only the commit is refused.
        QInputMethodEvent withoutCommit(event->preeditString(), event->attributes());
        QLineEdit::inputMethodEvent(&withoutCommit);
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void RegisterEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (PastesRouted() && event->button() == Qt::MiddleButton) {
        // The press has put the caret where the click was; the selection goes in there.
        const std::optional<std::string> text = source_->SelectionText();
        if (text && text->empty()) {
            return;
        }
        deselect();
        InsertPasted(text);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

namespace {

QString MenuText(const char* text, QKeySequence::StandardKey key) {
    const QString shortcut = QKeySequence(key).toString(QKeySequence::NativeText);
    return shortcut.isEmpty() ? QLineEdit::tr(text) : QLineEdit::tr(text) + u'\t' + shortcut;
}

}  // namespace

QMenu* RegisterEdit::CreateContextMenu() {
    if (!PastesRouted()) {
        return createStandardContextMenu();
    }
    // The toolkit's own menu reads the whole clipboard only to grey out Paste: the same
    // entries, with Paste always offered.
    auto* menu = new QMenu(this);
    const bool selected = hasSelectedText();
    const auto add = [&](const char* name, const QString& text, bool enabled, auto slot) {
        QAction* action = menu->addAction(text, this, slot);
        action->setObjectName(QLatin1String(name));
        action->setEnabled(enabled);
    };
    add("edit-undo", MenuText("&Undo", QKeySequence::Undo), isUndoAvailable(), &QLineEdit::undo);
    add("edit-redo", MenuText("&Redo", QKeySequence::Redo), isRedoAvailable(), &QLineEdit::redo);
    menu->addSeparator();
    add("edit-cut", MenuText("Cu&t", QKeySequence::Cut), selected, &QLineEdit::cut);
    add("edit-copy", MenuText("&Copy", QKeySequence::Copy), selected, &QLineEdit::copy);
    add("edit-paste", MenuText("&Paste", QKeySequence::Paste), true, &RegisterEdit::PasteClipboard);
    add("edit-delete", QLineEdit::tr("Delete"), selected, &QLineEdit::del);
    menu->addSeparator();
    add("select-all", MenuText("Select All", QKeySequence::SelectAll), !text().isEmpty(),
        &QLineEdit::selectAll);
    return menu;
}

void RegisterEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = CreateContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
}

void RegisterEdit::dropEvent(QDropEvent* event) {
    // A move of the field's own text within it changes nothing in its length.
    const bool moveWithin = event->source() == this && event->dropAction() == Qt::MoveAction;
    if (!PastesRouted() || !event->mimeData()->hasText() || moveWithin) {
        QLineEdit::dropEvent(event);
        return;
    }
    const int position = cursorPositionAt(event->position().toPoint());
    const std::optional<std::string> text =
        source_->DroppedText(*event->mimeData(), event->source() != nullptr);
    // The caret that followed the drag goes back to normal either way.
    QDragLeaveEvent leave;
    QLineEdit::dragLeaveEvent(&leave);
    // A drop goes in where it falls, beside the selection rather than over it.
    if (!text || !rpn::EntryFits(static_cast<std::size_t>(this->text().size()), 0, text->size())) {
        Refuse();
        event->ignore();
        return;
    }
    setCursorPosition(position);
    insert(QString::fromLatin1(text->data(), static_cast<qsizetype>(text->size())));
    event->acceptProposedAction();
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

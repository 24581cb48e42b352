// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <functional>
#include <optional>
#include <string>

class QMenu;

namespace rpn::ui {

class PasteSource;

// A register field: entering it does not select its text, and its selection survives the
// focus moving to another control, so the register the user marked stays marked.
class RegisterEdit : public QLineEdit {
    Q_OBJECT
  public:
    // Read-only from the start: the accessible tree describes a field once, when it is
    // first announced, and a field made read-only later would stay "editable" there.
    explicit RegisterEdit(QWidget* parent, bool readOnly = false);

    // Every way of pasting into the field (the paste keys, a middle-click, the context menu,
    // a drop) reads its text from `source`, never through the toolkit's own unbounded read.
    // A text the source refuses, or one that would make the field longer than the entry's
    // limit, is answered by `refuse` (a beep) and changes nothing; so is an input method's
    // commit that would.
    void RouteOwnPastes(PasteSource* source, std::function<void()> refuse);
    // The field's own paste of the clipboard's text in place of its selection.
    void PasteClipboard();
    // The clipboard's text for a paste, or nothing after a refusal, which is answered.
    std::optional<std::string> ReadClipboard();
    // Puts `text` in place of the selection, or refuses it.
    void InsertPasted(const std::optional<std::string>& text);
    // The field's context menu, as a right-click shows it.
    QMenu* CreateContextMenu();

  signals:
    // The field has received the input focus.
    void focusEntered();

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    bool PastesRouted() const { return source_ != nullptr && !isReadOnly(); }
    void Refuse();

    PasteSource* source_ = nullptr;
    std::function<void()> refuse_;
};

}  // namespace rpn::ui

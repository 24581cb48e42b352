// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/control_keys.h"

#include <QAbstractButton>

#include "layout/main_window_layout.h"
#include "ui/control_widgets.h"

namespace rpn::ui {

QKeySequence KeySequenceOf(ControlKey key) {
    return QKeySequence::fromString(QString::fromStdString(KeyName(key)),
                                    QKeySequence::PortableText);
}

QString ToolTipWithKey(const QString& hint, ControlKey key) {
    if (!key) {
        return hint;
    }
    const QString name = KeySequenceOf(key).toString(QKeySequence::NativeText);
    return hint.isEmpty() ? name : hint + QLatin1Char('\n') + name;
}

ControlKey KeyOfControl(const QWidget& widget) {
    const ControlLayout* row = ControlRow(widget);
    return row != nullptr ? row->key : ControlKey{};
}

void ShowControlKey(QAbstractButton& button, ControlKey key) {
    // The accessible key binding is read from the button's shortcut.
    button.setShortcut(KeySequenceOf(key));
    if (button.toolTip().isEmpty()) {
        button.setToolTip(ToolTipWithKey(QString(), key));
    }
}

void SetCaptionKeepingKey(QAbstractButton& button, const QString& caption) {
    button.setText(caption);
    button.setShortcut(KeySequenceOf(KeyOfControl(button)));
}

}  // namespace rpn::ui

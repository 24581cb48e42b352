#include "ui/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace rpn::ui {

std::string QtClipboard::Text() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard->mimeData(QClipboard::Clipboard);
    if (data == nullptr || !data->hasText()) {
        return {};
    }
    return data->text().toLatin1().toStdString();
}

void QtClipboard::SetText(const std::string& text) {
    QGuiApplication::clipboard()->setText(
        QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())),
        QClipboard::Clipboard);
}

}  // namespace rpn::ui

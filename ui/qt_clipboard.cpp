#include "ui/qt_clipboard.h"

#include <QtGui/qguiapplication_platform.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <chrono>

#include "ui/x11_selection.h"

// Last: Xlib's macros (None, Bool, ...) would clash with the toolkit's headers.
#include <X11/Xlib.h>

namespace rpn::ui {

namespace {

// Long enough for any program that answers at all, short enough not to feel like a hang.
constexpr std::chrono::milliseconds kOwnerDeadline{900};

// The display the toolkit opened, a -display option included; null for $DISPLAY.
const char* ToolkitDisplayName() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    return display != nullptr ? DisplayString(display) : nullptr;
}

}  // namespace

std::optional<std::string> QtClipboard::Text() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    // Another program's text is read straight from the X server, within a time and a size
    // limit; this program's own text, and any other platform's, through the toolkit.
    if (QGuiApplication::platformName() == QLatin1String("xcb") && !clipboard->ownsClipboard()) {
        X11SelectionText read =
            ReadX11Clipboard(ToolkitDisplayName(), kClipboardTextLimit, kOwnerDeadline);
        switch (read.outcome) {
            case X11SelectionText::Outcome::Text:
                return std::move(read.text);
            case X11SelectionText::Outcome::NoText:
                return std::string();
            case X11SelectionText::Outcome::TooLong:
            case X11SelectionText::Outcome::NoAnswer:
                return std::nullopt;
        }
    }
    const QMimeData* data = clipboard->mimeData(QClipboard::Clipboard);
    if (data == nullptr || !data->hasText()) {
        return std::string();
    }
    const QString text = data->text();
    if (static_cast<std::size_t>(text.size()) > kClipboardTextLimit) {
        return std::nullopt;
    }
    return text.toLatin1().toStdString();
}
void QtClipboard::SetText(const std::string& text) {
    QGuiApplication::clipboard()->setText(
        QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())),
        QClipboard::Clipboard);
}

}  // namespace rpn::ui

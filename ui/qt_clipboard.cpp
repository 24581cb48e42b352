// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <chrono>

#include "desktop/x11_frame.h"
#include "desktop/x11_selection.h"

namespace rpn::ui {

namespace {

// Long enough for any program that answers at all, short enough not to feel like a hang.
constexpr std::chrono::milliseconds kOwnerDeadline{900};

// The text of mime data that this program holds, refused beyond the paste limit.
std::optional<std::string> LocalText(const QMimeData* data) {
    if (data == nullptr || !data->hasText()) {
        return std::string();
    }
    const QString text = data->text();
    if (static_cast<std::size_t>(text.size()) > kEntryTextLimit) {
        return std::nullopt;
    }
    return text.toLatin1().toStdString();
}

// Another program's text, straight from the X server within a time and a size limit.
std::optional<std::string> ReadFromX(const char* selection) {
    desktop::X11SelectionText read = desktop::ReadX11Selection(
        desktop::ToolkitDisplayName(), selection, kEntryTextLimit, kOwnerDeadline);
    switch (read.outcome) {
        case desktop::X11SelectionText::Outcome::Text:
            return std::move(read.text);
        case desktop::X11SelectionText::Outcome::NoText:
            return std::string();
        case desktop::X11SelectionText::Outcome::TooLong:
        case desktop::X11SelectionText::Outcome::NoAnswer:
            break;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> QtClipboard::Text() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    // This program's own text, and any other platform's, through the toolkit.
    if (desktop::OnX11() && !clipboard->ownsClipboard()) {
        return ReadFromX("CLIPBOARD");
    }
    return LocalText(clipboard->mimeData(QClipboard::Clipboard));
}

std::optional<std::string> QtClipboard::SelectionText() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard->supportsSelection()) {
        return std::string();
    }
    if (desktop::OnX11() && !clipboard->ownsSelection()) {
        return ReadFromX("PRIMARY");
    }
    return LocalText(clipboard->mimeData(QClipboard::Selection));
}

std::optional<std::string> QtClipboard::DroppedText(const QMimeData& data, bool fromThisProgram) {
    // The toolkit would fetch another program's drop without a limit on its size or its wait.
    if (desktop::OnX11() && !fromThisProgram) {
        return ReadFromX("XdndSelection");
    }
    return LocalText(&data);
}

void QtClipboard::SetText(const std::string& text) {
    QGuiApplication::clipboard()->setText(
        QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())),
        QClipboard::Clipboard);
}

}  // namespace rpn::ui

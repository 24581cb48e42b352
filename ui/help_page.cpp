// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_page.h"

#include <QTextDocument>

#include "version/program_version.h"

namespace rpn::ui {

namespace {

QString FillIn(QString html, const QString& name, const QString& value) {
    if (value.isEmpty()) {
        return html;
    }
    const QString open = QStringLiteral("<!--%1-->").arg(name);
    const QString close = QStringLiteral("<!--/%1-->").arg(name);
    qsizetype from = 0;
    while (true) {
        const qsizetype start = html.indexOf(open, from);
        if (start < 0) {
            break;
        }
        const qsizetype end = html.indexOf(close, start + open.size());
        if (end < 0) {
            break;
        }
        // A path may hold any character; it must never become markup.
        const QString text = value.toHtmlEscaped();
        html.replace(start, end + close.size() - start, text);
        from = start + text.size();
    }
    return html;
}

}  // namespace

QString FillInHelpPage(QString html, const QString& version, const QString& sessionFile) {
    html = FillIn(std::move(html), QStringLiteral("program-version"), version);
    return FillIn(std::move(html), QStringLiteral("session-file"), sessionFile);
}

QVariant HelpTextBrowser::loadResource(int type, const QUrl& name) {
    QVariant resource = HelpFileBrowser::loadResource(type, name);
    if (type != QTextDocument::HtmlResource) {
        return resource;
    }
    // The browser reads an HTML file as bytes and guesses their encoding; the page is
    // filled in as text, and the browser takes text as it is.
    const QString html = resource.typeId() == QMetaType::QString
                             ? resource.toString()
                             : QString::fromUtf8(resource.toByteArray());
    return FillInHelpPage(html, QString::fromLatin1(kProgramVersion), sessionFile_);
}

}  // namespace rpn::ui

#include "ui/help_viewer.h"

#include <QFile>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

namespace rpn::ui {

QString TopicAnchor(int topic) {
    return QStringLiteral("topic-%1").arg(topic);
}

HelpViewer::HelpViewer(QWidget* owner) : QWidget(owner, Qt::Dialog), browser_(new QTextBrowser) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Calculator Help"));
    browser_->setObjectName(QStringLiteral("HelpText"));
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(560, 520);
}

void HelpViewer::ShowTopic(const QString& path, int topic, bool ownerOnTop) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        browser_->clear();
        browser_->setPlainText(QStringLiteral("The help file %1 cannot be opened.")
                                   .arg(path.isEmpty() ? QStringLiteral("(none)") : path));
    } else {
        file.close();
        QUrl url = QUrl::fromLocalFile(path);
        url.setFragment(TopicAnchor(topic));
        // The file is read again each time, so an edited help file shows at once.
        browser_->setSource(QUrl());
        browser_->setSource(url, QTextDocument::HtmlResource);
    }
    // Owned by the calculator (transient for it) and on its level, so that the window the
    // user asked for is not covered by the calculator.
    if (QWindow* handle = windowHandle()) {
        handle->setFlag(Qt::WindowStaysOnTopHint, ownerOnTop);
    } else {
        setWindowFlag(Qt::WindowStaysOnTopHint, ownerOnTop);
    }
    overrideWindowFlags(windowFlags().setFlag(Qt::WindowStaysOnTopHint, ownerOnTop));
    show();
    raise();
    activateWindow();
}

}  // namespace rpn::ui

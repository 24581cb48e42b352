#include "ui/help_viewer.h"

#include <QFile>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

namespace rpn::ui {

QString TopicAnchor(int topic) {
    return QStringLiteral("topic-%1").arg(topic);
}

HelpViewer::HelpViewer(QWidget* owner) : QWidget(owner, Qt::Dialog), browser_(new HelpFileBrowser) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Calculator Help"));
    browser_->setObjectName(QStringLiteral("HelpText"));
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(560, 520);
}

void HelpViewer::ShowTopic(const std::string& path, int topic, bool ownerOnTop) {
    const HelpFileContent help = ReadHelpFile(path);
    if (!help.problem.empty()) {
        browser_->clear();
        browser_->setPlainText(
            QStringLiteral("The help file %1 cannot be opened: %2.")
                .arg(path.empty() ? QStringLiteral("(none)") : QFile::decodeName(path.c_str()),
                     QString::fromLocal8Bit(help.problem)));
    } else {
        QUrl url = QUrl::fromLocalFile(QFile::decodeName(path.c_str()));
        url.setFragment(TopicAnchor(topic));
        browser_->ShowDocument(url, help.bytes);
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

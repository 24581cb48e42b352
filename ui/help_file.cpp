// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>
#include <QTextDocument>
#include <cerrno>
#include <cstring>

#include "help/bounded_page.h"
#include "session/file_descriptor.h"

namespace rpn::ui {

HelpFileContent ReadHelpFile(const std::string& path) {
    HelpFileContent content;
    if (path.empty()) {
        content.problem = "the program's own path is not known";
        return content;
    }
    // Not waiting in the open: a FIFO put in the file's place would hang the window.
    rpn::FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info;
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0) {
        content.problem = std::strerror(errno);
        return content;
    }
    if (!S_ISREG(info.st_mode)) {
        content.problem = "it is not a regular file";
        return content;
    }
    const std::string tooLarge = "it is larger than 4 MiB";
    if (info.st_size > kLargestHelpFile) {
        content.problem = tooLarge;
        return content;
    }
    // The size was only a look: a file that grows while it is read is refused all the same.
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            content.problem = std::strerror(errno);
            content.bytes.clear();
            return content;
        }
        if (n == 0) {
            return content;
        }
        if (content.bytes.size() + n > kLargestHelpFile) {
            content.problem = tooLarge;
            content.bytes.clear();
            return content;
        }
        content.bytes.append(chunk, n);
    }
}

HelpFileBrowser::HelpFileBrowser() {
    setOpenExternalLinks(true);
}

void HelpFileBrowser::ShowDocument(const QUrl& url, const QByteArray& content) {
    const QUrl document = url.adjusted(QUrl::RemoveFragment);
    const bool shownAlready = source().adjusted(QUrl::RemoveFragment) == document;
    documentUrl_ = document;
    const std::string page = help::BoundedHelpPage(
        std::string_view(content.constData(), static_cast<std::size_t>(content.size())));
    content_ = QByteArray::fromStdString(page);
    // The same document again would only scroll: it is loaded anew, so that an edited help
    // file shows at once.
    if (shownAlready) {
        reload();
    }
    setSource(url, QTextDocument::HtmlResource);
}

bool HelpFileBrowser::IsTheDocument(const QUrl& name) const {
    // A link within the page ("#topic-10") comes resolved against the page.
    return source().resolved(name).adjusted(QUrl::RemoveFragment) == documentUrl_ ||
           name.adjusted(QUrl::RemoveFragment) == documentUrl_;
}

QVariant HelpFileBrowser::loadResource(int type, const QUrl& name) {
    if (type == QTextDocument::HtmlResource && IsTheDocument(name)) {
        return content_;
    }
    // A resource not given here would be read from its file by the toolkit itself: an
    // empty one stands in its place.
    if (type == QTextDocument::ImageResource) {
        static const QImage kNoImage = [] {
            QImage blank(1, 1, QImage::Format_ARGB32);
            blank.fill(Qt::transparent);
            return blank;
        }();
        return kNoImage;
    }
    return QStringLiteral("");
}

void HelpFileBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type) {
    if (documentUrl_.isEmpty() || IsTheDocument(name)) {
        QTextBrowser::doSetSource(name, type);
    }
}

}  // namespace rpn::ui

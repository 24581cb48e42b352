// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <string>

namespace rpn::ui {

// The largest help file shown: the shipped one is a few KiB, and a larger file would only
// freeze the window while the browser lays it out.
inline constexpr qint64 kLargestHelpFile = 4 * 1024 * 1024;

// The help file's content, or why it is not shown.
struct HelpFileContent {
    QByteArray bytes;
    // Empty when `bytes` holds the file.
    std::string problem;
};

// Reads the help file at `path` (the system's bytes) only when it is a regular file of at
// most kLargestHelpFile bytes. A FIFO, a device or a larger file is refused without waiting
// for it and without reading it whole.
HelpFileContent ReadHelpFile(const std::string& path);

// A text browser that shows the help file from content read by ReadHelpFile rather than
// opening the file itself, so that what was admitted is what is shown and a path that is no
// valid text still works. The page is all it shows: an image, a style sheet or a page that
// the file names is never read (any file may stand there, a FIFO or /dev/zero among them),
// and a link to another local file goes nowhere. Links within the file move to their
// anchors as usual; links to the web go to the desktop's browser.
class HelpFileBrowser : public QTextBrowser {
    Q_OBJECT
  public:
    HelpFileBrowser();

    // Shows `content` as the document at `url`, scrolled to `url`'s fragment.
    void ShowDocument(const QUrl& url, const QByteArray& content);

  protected:
    QVariant loadResource(int type, const QUrl& name) override;
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

  private:
    bool IsTheDocument(const QUrl& name) const;

    QUrl documentUrl_;
    QByteArray content_;
};

}  // namespace rpn::ui

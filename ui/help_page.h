// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTextBrowser>

#include "ui/help_file.h"

namespace rpn::ui {

// The help file marks the facts that only the running program knows with a pair of comments,
// <!--name-->stand-in<!--/name-->, so that the file read anywhere else still says something
// sensible. This puts `version` and `sessionFile` in place of the marked stand-ins
// "program-version" and "session-file"; an empty value keeps the stand-in.
QString FillInHelpPage(QString html, const QString& version, const QString& sessionFile);

// The help file's browser, showing its pages with the facts of this run filled in.
class HelpTextBrowser : public HelpFileBrowser {
    Q_OBJECT
  public:
    void SetSessionFile(const QString& path) { sessionFile_ = path; }

    QVariant loadResource(int type, const QUrl& name) override;

  private:
    QString sessionFile_;
};

}  // namespace rpn::ui

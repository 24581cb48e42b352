// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>
#include <string>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QToolButton;

namespace rpn::ui {

class HelpTextBrowser;

// A window of its own that shows the help file at a topic. It never blocks the calculator,
// and a file it cannot read is said in its own window. Back and Forward walk the pages seen;
// a find bar searches the page shown.
class HelpViewer : public QWidget {
    Q_OBJECT
  public:
    explicit HelpViewer(QWidget* owner);

    // Opens `path` (the system's bytes) at the topic with context number `topic` and brings
    // the viewer up, above its owner also when the owner stays on top (`ownerOnTop`).
    void ShowTopic(const std::string& path, int topic, bool ownerOnTop = false);

    // The session file that the About topic names.
    void SetSessionFile(const QString& path);

    // Opens the find bar with its text selected, or closes it.
    void OpenFindBar();
    void CloseFindBar();
    // Selects the next (or previous) place of the find bar's text after (before) the
    // selection, going round the page's end; says "Not found" when there is none.
    void FindNext();
    void FindPrevious();

    QTextBrowser* browser() const;
    QWidget* findBar() const { return findBar_; }
    QLineEdit* findField() const { return findField_; }
    QLabel* findStatus() const { return findStatus_; }
    QToolButton* backButton() const { return back_; }
    QToolButton* forwardButton() const { return forward_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Whether the text was found.
    bool Find(bool backward);
    // Beside the owner where there is room, the first time and whenever it was closed.
    void PlaceBesideOwner();

    HelpTextBrowser* browser_;
    QToolButton* back_;
    QToolButton* forward_;
    QWidget* findBar_;
    QLineEdit* findField_;
    QLabel* findStatus_;
};

// The anchor that carries a topic's context number in the help file.
QString TopicAnchor(int topic);

}  // namespace rpn::ui

#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace rpn::ui {

// A window of its own that shows the help file at a topic. It never blocks the calculator,
// and a file it cannot read is said in its own window.
class HelpViewer : public QWidget {
    Q_OBJECT
  public:
    explicit HelpViewer(QWidget* owner);

    // Opens `path` at the topic with context number `topic` and brings the viewer up, above
    // its owner also when the owner stays on top (`ownerOnTop`).
    void ShowTopic(const QString& path, int topic, bool ownerOnTop = false);

    QTextBrowser* browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
};

// The anchor that carries a topic's context number in the help file.
QString TopicAnchor(int topic);

}  // namespace rpn::ui

#pragma once

#include <QString>
#include <QWidget>
#include <string>

#include "ui/help_file.h"

namespace rpn::ui {

// A window of its own that shows the help file at a topic. It never blocks the calculator,
// and a file it cannot read is said in its own window.
class HelpViewer : public QWidget {
    Q_OBJECT
  public:
    explicit HelpViewer(QWidget* owner);

    // Opens `path` (the system's bytes) at the topic with context number `topic` and brings
    // the viewer up, above its owner also when the owner stays on top (`ownerOnTop`).
    void ShowTopic(const std::string& path, int topic, bool ownerOnTop = false);

    QTextBrowser* browser() const { return browser_; }

  private:
    HelpFileBrowser* browser_;
};

// The anchor that carries a topic's context number in the help file.
QString TopicAnchor(int topic);

}  // namespace rpn::ui

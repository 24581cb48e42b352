// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "desktop/rules/geometry_place.h"
#include "session/calculator_session.h"

class QWidget;

namespace rpn::desktop {
class FramePlacer;
}  // namespace rpn::desktop

namespace rpn::ui {

class MessageBoxes;

// The main window as the session sees it: where its frame stands, and the error boxes.
class WindowSessionHost : public rpn::SessionHost {
  public:
    // `position`: where the frame stands for this run over the saved position; none: saved.
    WindowSessionHost(QWidget& window, desktop::FramePlacer& placer, MessageBoxes& boxes,
                      std::optional<desktop::GeometryPlace> position);

    rpn::WindowPosition MainWindowPosition() const override;
    void MoveMainWindow(rpn::WindowPosition position) override;
    void ShowErrorBox(const std::string& message) override;

  private:
    QWidget& window_;
    desktop::FramePlacer& placer_;
    MessageBoxes& boxes_;
    std::optional<desktop::GeometryPlace> explicitPosition_;
    // The loaded session's position, saved again in place of the one given for this run.
    std::optional<rpn::WindowPosition> keptPosition_;
};

}  // namespace rpn::ui

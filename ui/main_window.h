// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "engine/calculator.h"
#include "entry/entry_controller.h"
#include "layout/main_window_layout.h"
#include "session/calculator_session.h"
#include "session/program_path.h"
#include "session/session_snapshot.h"
#include "ui/keypad_window.h"
#include "ui/qt_clipboard.h"
#include "ui/register_fields_port.h"
#include "ui/window_focus_rules.h"
#include "ui/window_session_host.h"

class QAbstractButton;
class QKeyEvent;
class QLabel;

namespace rpn::desktop {
class FramePlacer;
}  // namespace rpn::desktop

namespace rpn::ui {

class HelpViewer;
class MessageBoxes;
class PasteSource;
class RegisterEdit;
class SessionTracker;

// What the window is built with. The defaults are the running program's; tests set their own.
struct MainWindowOptions {
    // Layout factor from the designed 120 pixels per inch; 0 takes it from the screen.
    double layoutScale = 0;
    // The program file that the help and session files lie beside, as the system's bytes;
    // empty: the running one.
    std::string programPath;
    // The session file; empty: beside the program file, unless `sessionProblem` says why no
    // session file can be kept.
    std::string sessionPath;
    std::string sessionProblem;
    // The error boxes; null: the real ones.
    MessageBoxes* messageBoxes = nullptr;
    // Where pasted and dropped texts come from; null: the system's clipboard.
    PasteSource* pasteSource = nullptr;
    // Where the window's frame stands for this run, over the saved position (the command
    // line's -geometry); none: the saved or the designed position.
    std::optional<desktop::GeometryPlace> position;
};

// The calculator's main window. It owns the calculator state, the view modes and the
// keypad's state for the whole run.
class MainWindow : public QWidget {
    Q_OBJECT
  public:
    explicit MainWindow(MainWindowOptions options = {});
    ~MainWindow() override;

    rpn::Calculator& calculator() { return calc_; }
    KeypadState& keypad() { return keypad_; }
    double layoutScale() const { return scale_; }
    // The keypad window, created after this window at start-up.
    void AttachKeypad(KeypadWindow* keys);

    const std::string& SessionPath() const { return session_.path(); }
    const rpn::SessionFile& sessionFile() const { return session_; }

    RegisterEdit* Edit(rpn::Field field) const;
    QAbstractButton* Button(const char* name) const;
    // The button that runs the window command `command`.
    QAbstractButton* CommandButton(Command command) const;

    // Runs one user action. A fault that escapes it ends the action and is shown in the
    // general error report, so that no action can end the program.
    void RunAction(const std::function<void()>& action);
    // The general error report: the message and ".", stop icon, the application's title.
    void ShowGeneralError(const QString& message);
    // Shows the user how an operation ended: the one place where an outcome becomes a beep or
    // a message box.
    void Present(Outcome outcome);

    // Runs what a click on a control of the layout does, as one user action.
    void RunControlAction(const ControlAction& action);
    // The help key: the window's own topic.
    void HelpKeyPressed();

    // Types `ch` into X at the caret; the keypad's keys call it.
    void TypeKey(char ch);
    // Shows or hides the keypad window.
    void ToggleKeypad();

    // Window events.
    // The first showing: the compact view, and the session loaded and saved at once.
    void OnFirstShow();
    // Back from another of the calculator's windows: X focused, all of it selected.
    void OnBecomingActive();
    // Records the keypad's position and saves the session; raises FileWriteError.
    void SaveOnClose();
    // The session as the close step saves it, for an end that nobody can answer (a signal,
    // the display gone): no box, and an X entry beyond the register's range is left out as
    // one that does not convert. Nothing before the first showing has loaded the session.
    std::optional<rpn::SessionData> CaptureForShutdown();
    // The session as it stood after the last change, for a save from outside the event loop.
    const rpn::SessionSnapshot& sessionSnapshot() const { return snapshot_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    friend struct MainWindowAccess;

    // The math-error report: the window beeps and shows "Math Error" in the modal box.
    void ShowMathError();
    void BuildControls();
    void ConnectControls();
    void ConnectEntry();
    void ToggleStayOnTop();
    void ToggleTrigPanel();
    void ShowHelpContents();
    HelpViewer& Help();
    void CloseKeypad();
    // A key of the keyboard that reached the keypad window: handled as typed into X.
    void KeyFromKeypad(const QKeyEvent& key);
    void RestoreAfterKeypadMinimised();
    void SetStayOnTopLevel(bool onTop);
    void SetTopButton(const char* caption, const char* hint);
    void SetSmallButton(const char* caption, const char* hint);
    void SetClientHeight(int height);
    void Beep();
    void ReadDecimalSeparator();
    // Raises FileWriteError; the earlier file stays whole.
    void SaveSession();

    double scale_;
    rpn::ProgramPath program_;
    MessageBoxes& boxes_;
    RegisterFieldsPort port_;
    rpn::Calculator calc_;
    QtClipboard systemClipboard_;
    PasteSource& clipboard_;
    rpn::EntryController entry_;
    KeypadState keypad_;
    rpn::SessionFile session_;
    rpn::SessionSnapshot snapshot_;
    desktop::FramePlacer* placer_;
    WindowSessionHost sessionHost_;
    SessionTracker* tracker_;
    KeypadWindow* keys_ = nullptr;
    HelpViewer* help_ = nullptr;
    WindowFocusRules focus_;

    bool firstShow_ = true;
    bool sessionLoaded_ = false;
    bool stayOnTop_ = true;
    bool trigPanelShown_ = true;
    int trigPanelHeight_ = 0;
    std::string helpFilePath_;
    int beeps_ = 0;

    QLabel* angleModeLabel_ = nullptr;
};

// The application's title: the program file's name without folder and extension, its first
// letter in upper case and the rest in lower case ("Rpncalc").
QString ApplicationTitle(const QString& programPath);

// Asked after a failed save at closing; an empty path when no session file could be kept.
QString QuitWithoutSavingQuestion(const std::string& sessionPath);

// The decimal separator of the system's regional settings, '.' when it is not one byte.
char SystemDecimalSeparator();

}  // namespace rpn::ui

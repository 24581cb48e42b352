// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QToolButton>
#include <QWindow>
#include <array>
#include <exception>

#include "desktop/x11_fixed_size.h"
#include "desktop/x11_window_level.h"
#include "engine/arithmetic_fault.h"
#include "layout/main_window_layout.h"
#include "layout/window_command_entry.h"
#include "ui/accessible_interfaces.h"
#include "ui/control_descriptions.h"
#include "ui/control_keys.h"
#include "ui/control_widgets.h"
#include "ui/glyphs.h"
#include "ui/help_viewer.h"
#include "ui/layout_scale.h"
#include "ui/message_boxes.h"
#include "ui/normal_state_keeper.h"
#include "ui/placed_widget.h"
#include "ui/readable_colours.h"
#include "ui/register_edit.h"
#include "ui/session_tracker.h"

namespace rpn::ui {

namespace {

constexpr Qt::WindowFlags kWindowFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint;

// The Math Error report words the Back/Top button its own way while it moves the window.
constexpr const char* kMathErrorTopHint = "Click stays on top";
constexpr const char* kMathErrorBackHint = "Click moves to back";

const QColor kLime(0x00, 0xff, 0x00);

QString Latin1(const char* text) {
    return QString::fromLatin1(text);
}

void SetHint(QWidget* widget, const char* hint) {
    widget->setToolTip(ToolTipWithKey(Latin1(hint), KeyOfControl(*widget)));
    widget->setAccessibleDescription(Latin1(hint));
}

// The session file beside the program unless another is given; none at all when the
// program's own path is not known, rather than one in whatever folder the program runs in,
// nor when the start found no place for it.
rpn::SessionFile SessionFor(const rpn::ProgramPath& program, const std::string& sessionPath,
                            const std::string& sessionProblem) {
    if (!sessionPath.empty()) {
        return rpn::SessionFile(sessionPath);
    }
    if (!program.problem.empty()) {
        return rpn::SessionFile::Unusable(program.problem);
    }
    if (!sessionProblem.empty()) {
        return rpn::SessionFile::Unusable(sessionProblem);
    }
    return rpn::SessionFile(PathBesideProgram(program.path, ".cfg"));
}

// The application's title, from the program's name as it was started when its path is not
// known.
QString TitleOf(const rpn::ProgramPath& program) {
    return ApplicationTitle(program.path.empty() ? QCoreApplication::applicationName()
                                                 : QFile::decodeName(program.path.c_str()));
}

}  // namespace

QString ApplicationTitle(const QString& programPath) {
    const QString name = QFileInfo(programPath).completeBaseName();
    if (name.isEmpty()) {
        return name;
    }
    return name.left(1).toUpper() + name.mid(1).toLower();
}

QString QuitWithoutSavingQuestion(const std::string& sessionPath) {
    const QString what =
        sessionPath.empty()
            ? QStringLiteral("The session")
            : QStringLiteral("The session file %1").arg(QFile::decodeName(sessionPath.c_str()));
    return what + QStringLiteral(
                      " was not saved. Quit without saving? The stack and the memory since the "
                      "last save would be lost.");
}

char SystemDecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    if (point.isEmpty()) {
        return '.';
    }
    const char16_t c = point.at(0).unicode();
    return c > 0 && c < 256 ? static_cast<char>(c) : '.';
}

MainWindow::MainWindow(MainWindowOptions options)
    : QWidget(nullptr, kWindowFlags),
      scale_(options.layoutScale > 0 ? options.layoutScale : ScreenLayoutScale()),
      program_(options.programPath.empty() ? rpn::RunningProgramPath()
                                           : rpn::ProgramPath{options.programPath, {}}),
      boxes_(options.messageBoxes ? *options.messageBoxes : SystemMessageBoxes()),
      port_({[this] { focus_.XFocused(); }, [this] { Beep(); }}),
      calc_(port_),
      clipboard_(options.pasteSource ? *options.pasteSource : systemClipboard_),
      entry_(calc_, clipboard_, [this] { CloseKeypad(); }),
      session_(SessionFor(program_, options.sessionPath, options.sessionProblem)),
      placer_(NewFramePlacer(*this)),
      sessionHost_(*this, *placer_, boxes_, options.position),
      tracker_(new SessionTracker(
          this, snapshot_,
          [this](WindowPosition window, WindowPosition keypad) {
              return rpn::PreviewSession(calc_, port_.FieldText(Field::X), window, keypad);
          },
          [this] { return sessionHost_.MainWindowPosition(); },
          [this] { return keys_ ? keys_->Position() : keypad_.KeypadPos; })),
      focus_({*this, [this] { return keys_; }, [this] { return help_; }},
             [this] { RunAction([this] { OnBecomingActive(); }); }) {
    setObjectName(QStringLiteral("CalcxF"));
    setWindowTitle(Latin1(kMainCaption));
    setWindowIcon(MainWindowIcon());
    setFont(ControlFont(kWindowFontHeight, scale_, false));
    InstallAccessibleInterfaces();
    setFixedSize(Scaled(kClientWidth, scale_), Scaled(kClientHeight, scale_));
    if (options.position) {
        placer_->PlaceByGeometry(*options.position);
    } else {
        // The designed position is in screen pixels: only what lies inside the window scales.
        placer_->MoveTo(FrameCorner(WindowPosition{kDesignedTop, kDesignedLeft}));
    }
    new NormalStateKeeper(*this, *placer_);
    new desktop::X11FixedSize(
        this, [this] { return windowHandle(); }, [this] { placer_->Restore(); });

    BuildControls();
    ConnectControls();
    ConnectEntry();
    ReadDecimalSeparator();

    auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    helpKey->setContext(Qt::WindowShortcut);
    connect(helpKey, &QShortcut::activated, this, [this] { HelpKeyPressed(); });
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
            [this](QWindow* w) { focus_.FocusWindowChanged(w); });
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildControls() {
    for (const ControlLayout& control : MainWindowControls()) {
        QWidget* widget = nullptr;
        switch (control.kind) {
            case ControlKind::GlyphButton: {
                auto* button = new QToolButton(this);
                button->setAutoRaise(true);
                button->setFocusPolicy(Qt::NoFocus);
                const QPixmap glyph = GlyphPixmap(control.action, scale_, devicePixelRatioF());
                if (glyph.isNull()) {
                    button->setText(Latin1(control.caption));
                } else {
                    button->setIcon(QIcon(glyph));
                    button->setIconSize(glyph.deviceIndependentSize().toSize());
                }
                // A face without words needs its hint as its name for a screen reader.
                button->setAccessibleName(
                    Latin1(*control.caption ? control.caption : control.hint));
                widget = button;
                break;
            }
            case ControlKind::PushButton: {
                auto* button = new QPushButton(Latin1(control.caption), this);
                button->setAutoDefault(false);
                button->setFocusPolicy(control.action.command == Command::ToggleKeypad
                                           ? Qt::StrongFocus
                                           : Qt::ClickFocus);
                button->setAccessibleName(Latin1(control.caption));
                widget = button;
                break;
            }
            case ControlKind::Label: {
                auto* label = new QLabel(Latin1(control.caption), this);
                label->setAlignment(Qt::AlignCenter);
                label->setAccessibleName(Latin1(control.caption));
                widget = label;
                break;
            }
            case ControlKind::EditField: {
                const bool isX = control.role == ControlRole::XField;
                auto* edit = new RegisterEdit(this, !isX);
                edit->setAccessibleName(FieldAccessibleName(control.role));
                if (!isX) {
                    // Clicked into for copying, but never reached by Tab.
                    edit->setFocusPolicy(Qt::ClickFocus);
                    QPalette pal = edit->palette();
                    // Black on lime in every palette, light or dark.
                    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
                        pal.setColor(group, QPalette::Base, kLime);
                        pal.setColor(group, QPalette::Text, Qt::black);
                    }
                    edit->setPalette(pal);
                }
                widget = edit;
                break;
            }
        }
        widget->setObjectName(Latin1(control.name));
        widget->setGeometry(Scaled(control.left, scale_), Scaled(control.top, scale_),
                            Scaled(control.width, scale_), Scaled(control.height, scale_));
        widget->setFont(ControlFont(control.fontHeight, scale_));
        if (*control.hint) {
            SetHint(widget, control.hint);
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget); button && control.key) {
            ShowControlKey(*button, control.key);
        }
    }
    std::array<RegisterEdit*, 4> edits{};
    for (const Field f : {Field::X, Field::Y, Field::Z, Field::T}) {
        edits[static_cast<int>(f)] =
            qobject_cast<RegisterEdit*>(ControlWidget(*this, FieldRole(f)));
    }
    angleModeLabel_ = qobject_cast<QLabel*>(ControlWidget(*this, ControlRole::AngleMode));
    port_.Bind(edits, angleModeLabel_);
    FollowPalette(*this);
    DescribeUnhintedControls(*this);
    // The X field comes first in the tab order, the Keys button after it.
    setTabOrder(Edit(Field::X), CommandButton(Command::ToggleKeypad));
    Edit(Field::X)->setFocus();
}

void MainWindow::ConnectControls() {
    for (const ControlLayout& control : MainWindowControls()) {
        if (control.action.command == Command::None) {
            continue;
        }
        connect(qobject_cast<QAbstractButton*>(ControlWidget(*this, control)),
                &QAbstractButton::clicked, this,
                [this, action = control.action] { RunControlAction(action); });
    }
}

void MainWindow::RunControlAction(const ControlAction& action) {
    switch (action.command) {
        case Command::None:
            return;
        case Command::Calculate:
            return RunAction([this, &action] { Present(calc_.Run(action.operation)); });
        case Command::EditX:
            return RunAction([this] { entry_.xEntry.EditX(); });
        case Command::ToggleExponentSign:
            return RunAction([this] { entry_.xEntry.ToggleEntryExponentSign(); });
        case Command::Copy:
            return RunAction([this] { entry_.clipboardExchange.Copy(); });
        case Command::Paste:
            return RunAction([this] { entry_.clipboardExchange.Paste(); });
        case Command::ToggleKeypad:
            return ToggleKeypad();
        case Command::ToggleStayOnTop:
            return RunAction([this] { ToggleStayOnTop(); });
        case Command::ToggleTrigPanel:
            return RunAction([this] { ToggleTrigPanel(); });
        case Command::Help:
            return RunAction([this] { ShowHelpContents(); });
        case Command::Exit:
            close();
            return;
    }
}

RegisterEdit* MainWindow::Edit(Field field) const {
    return port_.Edit(field);
}

QAbstractButton* MainWindow::Button(const char* name) const {
    return findChild<QAbstractButton*>(Latin1(name));
}

QAbstractButton* MainWindow::CommandButton(Command command) const {
    return qobject_cast<QAbstractButton*>(ControlWidget(*this, command));
}

void MainWindow::RunAction(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& fault) {
        ShowGeneralError(QString::fromLocal8Bit(fault.what()));
    }
    tracker_->Refresh();
}

void MainWindow::ShowGeneralError(const QString& message) {
    QString text = message;
    if (!text.endsWith(QLatin1Char('.'))) {
        text += QLatin1Char('.');
    }
    boxes_.ShowStop(this, TitleOf(program_), text);
}

void MainWindow::ToggleStayOnTop() {
    const bool wasOnTop = stayOnTop_;
    SetStayOnTopLevel(!wasOnTop);
    // The caption names what the next click will do.
    if (wasOnTop) {
        SetTopButton(kTopCaptionOff, kTopHintOff);
    } else {
        SetTopButton(kTopCaptionOn, kTopHintOn);
    }
    stayOnTop_ = !wasOnTop;
    calc_.ReturnToX(kEntryAfter<Command::ToggleStayOnTop>);
}

void MainWindow::ToggleTrigPanel() {
    if (trigPanelShown_) {
        SetClientHeight(height() - trigPanelHeight_);
        SetSmallButton(kSmallCaptionCompact, kSmallHintCompact);
        trigPanelShown_ = false;
        ShowTrigArea(*this, false);
    } else {
        ShowTrigArea(*this, true);
        SetClientHeight(height() + trigPanelHeight_);
        SetSmallButton(kSmallCaptionLarge, kSmallHintLarge);
        trigPanelShown_ = true;
    }
    calc_.ReturnToX(kEntryAfter<Command::ToggleTrigPanel>);
}

HelpViewer& MainWindow::Help() {
    // Made when first asked for: a text browser costs the start-up time of many buttons.
    if (help_ == nullptr) {
        help_ = new HelpViewer(this);
        help_->SetSessionFile(QString::fromLocal8Bit(SessionPath()));
    }
    return *help_;
}

void MainWindow::ShowHelpContents() {
    Help().ShowTopic(helpFilePath_, kHelpContentsTopic, stayOnTop_);
    calc_.ReturnToX(kEntryAfter<Command::Help>);
}

void MainWindow::HelpKeyPressed() {
    RunAction([this] { Help().ShowTopic(helpFilePath_, kWindowHelpTopic, stayOnTop_); });
}

void MainWindow::OnFirstShow() {
    if (!firstShow_) {
        return;
    }
    firstShow_ = false;
    trigPanelHeight_ = frameGeometry().height() / 4;
    // Where the window manager reports no frame (or a thin one) a quarter of the window
    // would leave the top of the Trig/Log rows showing: the cut always reaches them.
    const int trigTop = Scaled(kTrigAreaTop, scale_);
    if (height() - trigPanelHeight_ > trigTop) {
        trigPanelHeight_ = height() - trigTop;
    }
    SetClientHeight(height() - trigPanelHeight_);
    SetSmallButton(kSmallCaptionCompact, kSmallHintCompact);
    trigPanelShown_ = false;
    ShowTrigArea(*this, false);
    if (program_.problem.empty()) {
        helpFilePath_ = PathBesideProgram(program_.path, ".hlp");
    }
    RunAction([this] {
        rpn::OpenSession(session_.Load(), calc_, sessionHost_, keypad_.KeypadPos, [this] {
            sessionLoaded_ = true;
            tracker_->Start();
            SaveSession();
        });
    });
}

void MainWindow::OnBecomingActive() {
    // Straight to the field: the engine's focus request would come back here.
    Edit(Field::X)->setFocus(Qt::ActiveWindowFocusReason);
    entry_.xEntry.WindowBecameActive();
}

void MainWindow::SaveOnClose() {
    if (keys_) {
        keypad_.KeypadPos = keys_->Position();
    }
    SaveSession();
}

void MainWindow::SaveSession() {
    // An entry beyond the register's range is reported as its commit would report it, and
    // the session is saved without it rather than not at all.
    session_.Save(rpn::CaptureSession(calc_, sessionHost_, keypad_.KeypadPos,
                                      [this](const std::exception& fault) {
                                          ShowGeneralError(QString::fromLocal8Bit(fault.what()));
                                      }));
}

std::optional<rpn::SessionData> MainWindow::CaptureForShutdown() {
    if (!sessionLoaded_) {
        return std::nullopt;
    }
    if (keys_) {
        keypad_.KeypadPos = keys_->Position();
    }
    return rpn::CaptureSession(calc_, sessionHost_, keypad_.KeypadPos);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        OnFirstShow();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool saved = false;
    RunAction([this, &saved] {
        SaveOnClose();
        saved = true;
    });
    // A session that could not be saved keeps the window open, and the next close tries
    // again, unless the user chooses to lose it.
    if (saved ||
        boxes_.AskYesNo(this, TitleOf(program_), QuitWithoutSavingQuestion(SessionPath()))) {
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LocaleChange) {
        ReadDecimalSeparator();
    }
    if (event->type() == QEvent::PaletteChange) {
        FollowPalette(*this);
    }
    QWidget::changeEvent(event);
}

void MainWindow::ReadDecimalSeparator() {
    calc_.SetDecimalSeparator(SystemDecimalSeparator());
}

void MainWindow::SetStayOnTopLevel(bool onTop) {
    // Changed on the native window in place: recreating it would flicker, could move it, and
    // would leave the keypad transient for a window that no longer exists.
    overrideWindowFlags(windowFlags().setFlag(Qt::WindowStaysOnTopHint, onTop));
    if (QWindow* handle = windowHandle()) {
        handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
        desktop::X11SetStaysOnTopLayer(*handle, onTop);
    }
    // A window manager may lift the main window above its own keypad on the new level.
    if (keys_ != nullptr) {
        keys_->KeepAbove();
    }
}

void MainWindow::SetTopButton(const char* caption, const char* hint) {
    QAbstractButton* button = CommandButton(Command::ToggleStayOnTop);
    SetCaptionKeepingKey(*button, Latin1(caption));
    button->setAccessibleName(Latin1(caption));
    SetHint(button, hint);
}

void MainWindow::SetSmallButton(const char* caption, const char* hint) {
    QAbstractButton* button = CommandButton(Command::ToggleTrigPanel);
    SetCaptionKeepingKey(*button, Latin1(caption));
    button->setAccessibleName(Latin1(caption));
    SetHint(button, hint);
}

void MainWindow::SetClientHeight(int height) {
    placer_->KeepFrameThrough([this, height] { setFixedSize(width(), height); });
}

void MainWindow::Beep() {
    ++beeps_;
    QApplication::beep();
}

// The window beeps and shows "Math Error" in the modal box, off the stay-on-top level while
// the box shows.
void MainWindow::ShowMathError() {
    const bool wasOnTop = stayOnTop_;
    if (wasOnTop) {
        // Off the top level, so that the message is not hidden behind the calculator.
        SetStayOnTopLevel(false);
        SetTopButton(kTopCaptionOff, kMathErrorTopHint);
        stayOnTop_ = false;
    }
    Beep();
    boxes_.ShowStop(this, QStringLiteral("Error"), QStringLiteral("Math Error"));
    if (wasOnTop) {
        SetStayOnTopLevel(true);
        SetTopButton(kTopCaptionOn, kMathErrorBackHint);
        stayOnTop_ = true;
    }
}

}  // namespace rpn::ui

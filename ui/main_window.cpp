#include "ui/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <chrono>
#include <exception>

#include "engine/arithmetic_fault.h"
#include "layout/main_window_layout.h"
#include "ui/control_keys.h"
#include "ui/frame_position.h"
#include "ui/glyphs.h"
#include "ui/help_viewer.h"
#include "ui/layout_scale.h"
#include "ui/message_boxes.h"
#include "ui/register_edit.h"

namespace rpn::ui {

namespace {

constexpr Qt::WindowFlags kWindowFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint;

// The Math Error report words the Back/Top button its own way while it moves the window.
constexpr const char* kMathErrorTopHint = "Click stays on top";
constexpr const char* kMathErrorBackHint = "Click moves to back";

// How soon after taking the focus back from the keypad the main window looks whether it
// still has it.
constexpr std::chrono::milliseconds kKeypadRecheckDelay{100};

const QColor kLime(0x00, 0xff, 0x00);

QString Latin1(const char* text) {
    return QString::fromLatin1(text);
}

const char* FieldName(Field field) {
    switch (field) {
        case Field::X:
            return "EditX";
        case Field::Y:
            return "EditY";
        case Field::Z:
            return "EditZ";
        case Field::T:
            return "EditT";
    }
    return "EditX";
}

void SetHint(QWidget* widget, const char* hint) {
    widget->setToolTip(ToolTipWithKey(Latin1(hint), KeyOfControl(*widget)));
    widget->setAccessibleDescription(Latin1(hint));
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
    return QStringLiteral(
               "The session file %1 was not saved. Quit without saving? The stack "
               "and the memory since the last save would be lost.")
        .arg(QString::fromLocal8Bit(sessionPath));
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
      programPath_(options.programPath.isEmpty() ? QCoreApplication::applicationFilePath()
                                                 : options.programPath),
      boxes_(options.messageBoxes ? *options.messageBoxes : SystemMessageBoxes()),
      calc_(*this),
      entry_(calc_, clipboard_, [this] { CloseKeypad(); }),
      session_(options.sessionPath.isEmpty() ? PathBesideProgram(programPath_.toStdString(), ".cfg")
                                             : options.sessionPath.toStdString()),
      placer_(new FramePlacer(*this)) {
    setObjectName(QStringLiteral("CalcxF"));
    setWindowTitle(Latin1(kMainCaption));
    setWindowIcon(MainWindowIcon());
    setFont(ControlFont(kWindowFontHeight, scale_, false));
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setFixedSize(Scaled(kClientWidth, scale_), Scaled(kClientHeight, scale_));
    // The designed position is in screen pixels: only what lies inside the window scales.
    placer_->MoveTo({kDesignedTop, kDesignedLeft});

    BuildControls();
    ConnectControls();
    ConnectEntry();
    ReadDecimalSeparator();

    auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    helpKey->setContext(Qt::WindowShortcut);
    connect(helpKey, &QShortcut::activated, this, [this] { HelpKeyPressed(); });
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
            [this](QWindow* w) { OnFocusWindowChanged(w); });
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildControls() {
    for (const ControlLayout& control : MainWindowControls()) {
        QWidget* widget = nullptr;
        const QString name = Latin1(control.name);
        switch (control.kind) {
            case ControlKind::GlyphButton: {
                auto* button = new QToolButton(this);
                button->setAutoRaise(true);
                button->setFocusPolicy(Qt::NoFocus);
                const QPixmap glyph = GlyphPixmap(control.name, scale_, devicePixelRatioF());
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
                button->setFocusPolicy(name == QLatin1String("Button1") ? Qt::StrongFocus
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
                auto* edit = new RegisterEdit(this);
                const bool isX = name == QLatin1String("EditX");
                edit->setAccessibleName(isX ? QStringLiteral("X entry")
                                            : QStringLiteral("%1 register").arg(name.back()));
                if (!isX) {
                    edit->setReadOnly(true);
                    // Clicked into for copying, but never reached by Tab.
                    edit->setFocusPolicy(Qt::ClickFocus);
                    QPalette pal = edit->palette();
                    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
                        pal.setColor(group, QPalette::Base, kLime);
                    }
                    edit->setPalette(pal);
                }
                widget = edit;
                break;
            }
        }
        widget->setObjectName(name);
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
    for (const Field f : {Field::X, Field::Y, Field::Z, Field::T}) {
        edits_[static_cast<int>(f)] = findChild<RegisterEdit*>(Latin1(FieldName(f)));
    }
    angleModeLabel_ = findChild<QLabel*>(QStringLiteral("Label5"));
    QPalette red = angleModeLabel_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    angleModeLabel_->setPalette(red);
    // The X field comes first in the tab order, the Keys button after it.
    setTabOrder(Edit(Field::X), Button("Button1"));
    Edit(Field::X)->setFocus();
}

void MainWindow::ConnectControls() {
    for (const ControlLayout& control : MainWindowControls()) {
        if (control.action.command == Command::None) {
            continue;
        }
        connect(Button(control.name), &QAbstractButton::clicked, this,
                [this, action = control.action] { RunControlAction(action); });
    }
}

void MainWindow::RunControlAction(const ControlAction& action) {
    switch (action.command) {
        case Command::None:
            return;
        case Command::Calculate:
            return RunAction([this, &action] { calc_.Run(action.operation); });
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
    return edits_[static_cast<int>(field)];
}

QAbstractButton* MainWindow::Button(const char* name) const {
    return findChild<QAbstractButton*>(Latin1(name));
}

void MainWindow::RunAction(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& fault) {
        ShowGeneralError(QString::fromLocal8Bit(fault.what()));
    }
}

void MainWindow::ShowGeneralError(const QString& message) {
    QString text = message;
    if (!text.endsWith(QLatin1Char('.'))) {
        text += QLatin1Char('.');
    }
    boxes_.ShowStop(this, ApplicationTitle(programPath_), text);
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
    calc_.FocusXSelectAll();
    calc_.BeginEntry();
}

void MainWindow::ToggleTrigPanel() {
    if (trigPanelShown_) {
        SetClientHeight(height() - trigPanelHeight_);
        SetSmallButton(kSmallCaptionCompact, kSmallHintCompact);
        trigPanelShown_ = false;
    } else {
        SetClientHeight(height() + trigPanelHeight_);
        SetSmallButton(kSmallCaptionLarge, kSmallHintLarge);
        trigPanelShown_ = true;
    }
    calc_.FocusXSelectAll();
    calc_.EndEntry();
}

HelpViewer& MainWindow::Help() {
    // Made when first asked for: a text browser costs the start-up time of many buttons.
    if (help_ == nullptr) {
        help_ = new HelpViewer(this);
    }
    return *help_;
}

void MainWindow::ShowHelpContents() {
    Help().ShowTopic(helpFilePath_, kHelpContentsTopic, stayOnTop_);
    calc_.FocusXSelectAll();
    calc_.BeginEntry();
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
    helpFilePath_ = QString::fromStdString(PathBesideProgram(programPath_.toStdString(), ".hlp"));
    RunAction([this] {
        rpn::ApplySession(session_.Load(), calc_, *this, keypad_.KeypadPos);
        sessionLoaded_ = true;
        SaveSession();
        // The loaded X stays a finished value, even when the save could not read it back.
        calc_.EndEntry();
    });
}

void MainWindow::OnBecomingActive() {
    // Straight to the field: the engine's focus request would come back here.
    Edit(Field::X)->setFocus(Qt::ActiveWindowFocusReason);
    Edit(Field::X)->selectAll();
    calc_.BeginEntry();
}

void MainWindow::SaveOnClose() {
    if (keys_) {
        keypad_.KeypadPos = keys_->Position();
    }
    SaveSession();
}

void MainWindow::SaveSession() {
    session_.Save(rpn::CaptureSession(calc_, *this, keypad_.KeypadPos));
}

std::string MainWindow::SaveForShutdown() {
    if (!sessionLoaded_) {
        return {};
    }
    try {
        SaveOnClose();
    } catch (const std::exception& fault) {
        return fault.what();
    }
    return {};
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
    if (saved || boxes_.AskYesNo(this, ApplicationTitle(programPath_),
                                 QuitWithoutSavingQuestion(SessionPath()))) {
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LocaleChange) {
        ReadDecimalSeparator();
    }
    QWidget::changeEvent(event);
}

void MainWindow::ReadDecimalSeparator() {
    calc_.decimalSeparator = SystemDecimalSeparator();
}

void MainWindow::OnFocusWindowChanged(QWindow* focusWindow) {
    QWindow* mine = windowHandle();
    if (keys_ && focusWindow != nullptr && focusWindow == keys_->windowHandle() &&
        std::chrono::steady_clock::now() < reclaimFromKeypadUntil_) {
        // The keypad's own activation for a click on one of its keys, or for its showing,
        // arrived after the main window took the focus back: take it back once more. The
        // click or the Keys button has run the becoming-active step already.
        activationAlreadyHandled_ = true;
        activateWindow();
        // A window manager may hand the keypad the focus once more as it finishes mapping or
        // raising it, after it has carried out this request: look again a moment later.
        QTimer::singleShot(kKeypadRecheckDelay, this, [this] {
            if (keys_ && QGuiApplication::focusWindow() == keys_->windowHandle() &&
                std::chrono::steady_clock::now() < reclaimFromKeypadUntil_) {
                activationAlreadyHandled_ = true;
                activateWindow();
            }
        });
    }
    if (focusWindow == nullptr || focusWindow != mine) {
        // The help viewer stands for another program: coming back from it is not a return
        // from one of the calculator's own windows.
        const bool helpWindow =
            help_ && help_->windowHandle() && focusWindow == help_->windowHandle();
        focusCameFromOurWindow_ = focusWindow != nullptr && !helpWindow;
        return;
    }
    const bool runActivate = !activatedOnce_ || focusCameFromOurWindow_;
    activatedOnce_ = true;
    focusCameFromOurWindow_ = false;
    if (activationAlreadyHandled_) {
        activationAlreadyHandled_ = false;
        return;
    }
    if (runActivate) {
        RunAction([this] { OnBecomingActive(); });
    }
}

void MainWindow::SetStayOnTopLevel(bool onTop) {
    // Changed on the native window in place: recreating it would flicker, could move it, and
    // would leave the keypad transient for a window that no longer exists.
    overrideWindowFlags(windowFlags().setFlag(Qt::WindowStaysOnTopHint, onTop));
    if (QWindow* handle = windowHandle()) {
        handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
    }
    // A window manager may lift the main window above its own keypad on the new level.
    if (keys_ != nullptr && keys_->isVisible()) {
        keys_->raise();
    }
}

void MainWindow::SetTopButton(const char* caption, const char* hint) {
    QAbstractButton* button = Button("Buttontop");
    button->setText(Latin1(caption));
    button->setAccessibleName(Latin1(caption));
    SetHint(button, hint);
}

void MainWindow::SetSmallButton(const char* caption, const char* hint) {
    QAbstractButton* button = Button("ButtonSmall");
    button->setText(Latin1(caption));
    button->setAccessibleName(Latin1(caption));
    SetHint(button, hint);
}

void MainWindow::SetClientHeight(int height) {
    setFixedSize(width(), height);
}

std::string MainWindow::FieldText(Field field) const {
    return Edit(field)->text().toLatin1().toStdString();
}

void MainWindow::SetFieldText(Field field, const std::string& text) {
    Edit(field)->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

int MainWindow::SelectionStart(Field field) const {
    const RegisterEdit* edit = Edit(field);
    return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

int MainWindow::SelectionLength(Field field) const {
    return Edit(field)->selectionLength();
}

void MainWindow::SetCaret(Field field, int position) {
    RegisterEdit* edit = Edit(field);
    edit->deselect();
    edit->setCursorPosition(position);
}

void MainWindow::Deselect(Field field) {
    RegisterEdit* edit = Edit(field);
    const int caret = edit->cursorPosition();
    edit->deselect();
    edit->setCursorPosition(caret);
}

void MainWindow::FocusX() {
    Edit(Field::X)->setFocus(Qt::OtherFocusReason);
    QWindow* active = QGuiApplication::focusWindow();
    const bool fromOurWindow = isVisible() && active != nullptr && active != windowHandle() &&
                               !(help_ && help_->windowHandle() && active == help_->windowHandle());
    if (fromOurWindow) {
        // The focus comes back from another window of the calculator: it becomes active again
        // here and now, so its return runs before the caller goes on.
        activationAlreadyHandled_ = true;
        activateWindow();
        OnBecomingActive();
    }
}

void MainWindow::SelectAllX() {
    Edit(Field::X)->selectAll();
}

void MainWindow::ShowAngleMode(const char* caption) {
    angleModeLabel_->setText(Latin1(caption));
    angleModeLabel_->setAccessibleName(Latin1(caption));
}

void MainWindow::Beep() {
    ++beeps_;
    QApplication::beep();
}

void MainWindow::ReportMathError() {
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

WindowPosition MainWindow::MainWindowPosition() const {
    return placer_->Position();
}

void MainWindow::MoveMainWindow(WindowPosition position) {
    placer_->Place(position);
}

void MainWindow::ShowErrorBox(const std::string& message) {
    boxes_.ShowStop(this, QStringLiteral("Error"), QString::fromLocal8Bit(message));
}

}  // namespace rpn::ui

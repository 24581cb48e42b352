// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_viewer.h"

#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>
#include <functional>

#include "ui/help_page.h"
#include "ui/help_placement.h"

namespace rpn::ui {

namespace {

QToolButton* BarButton(const QString& name, const QString& text, const QString& hint,
                       QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(hint);
    button->setAccessibleName(text);
    button->setAccessibleDescription(hint);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

void AddShortcut(QWidget* window, const QKeySequence& keys, const std::function<void()>& run) {
    auto* shortcut = new QShortcut(keys, window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, run);
}

}  // namespace

QString TopicAnchor(int topic) {
    return QStringLiteral("topic-%1").arg(topic);
}

HelpViewer::HelpViewer(QWidget* owner)
    : QWidget(owner, Qt::Dialog),
      browser_(new HelpTextBrowser),
      back_(BarButton(QStringLiteral("HelpBack"), QStringLiteral("Back"),
                      QStringLiteral("Previous page (Alt+Left)"), this)),
      forward_(BarButton(QStringLiteral("HelpForward"), QStringLiteral("Forward"),
                         QStringLiteral("Next page (Alt+Right)"), this)),
      findBar_(new QWidget(this)),
      findField_(new QLineEdit(findBar_)),
      findStatus_(new QLabel(findBar_)) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Calculator Help"));
    browser_->setObjectName(QStringLiteral("HelpText"));

    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    auto* findButton = BarButton(QStringLiteral("HelpFind"), QStringLiteral("Find"),
                                 QStringLiteral("Find in this page (Ctrl+F)"), this);
    connect(findButton, &QToolButton::clicked, this, &HelpViewer::OpenFindBar);
    auto* navigation = new QHBoxLayout;
    navigation->setContentsMargins(4, 4, 4, 0);
    navigation->addWidget(back_);
    navigation->addWidget(forward_);
    navigation->addStretch();
    navigation->addWidget(findButton);

    findBar_->setObjectName(QStringLiteral("HelpFindBar"));
    findField_->setObjectName(QStringLiteral("HelpFindText"));
    findField_->setAccessibleName(QStringLiteral("Find"));
    findField_->setPlaceholderText(QStringLiteral("Find in page"));
    findField_->installEventFilter(this);
    findStatus_->setObjectName(QStringLiteral("HelpFindStatus"));
    auto* previous = BarButton(QStringLiteral("HelpFindPrevious"), QStringLiteral("Previous"),
                               QStringLiteral("Previous match (Shift+F3)"), findBar_);
    auto* next = BarButton(QStringLiteral("HelpFindNext"), QStringLiteral("Next"),
                           QStringLiteral("Next match (F3)"), findBar_);
    auto* close = BarButton(QStringLiteral("HelpFindClose"), QStringLiteral("Close"),
                            QStringLiteral("Close the find bar (Esc)"), findBar_);
    connect(previous, &QToolButton::clicked, this, &HelpViewer::FindPrevious);
    connect(next, &QToolButton::clicked, this, &HelpViewer::FindNext);
    connect(close, &QToolButton::clicked, this, &HelpViewer::CloseFindBar);
    // Each keystroke looks again from where the last match began, as browsers do.
    connect(findField_, &QLineEdit::textEdited, this, [this] {
        const QTextCursor previous = browser_->textCursor();
        QTextCursor cursor = previous;
        cursor.setPosition(cursor.selectionStart());
        browser_->setTextCursor(cursor);
        if (!Find(false)) {
            browser_->setTextCursor(previous);
        }
    });
    auto* findRow = new QHBoxLayout(findBar_);
    findRow->setContentsMargins(4, 0, 4, 4);
    findRow->addWidget(findField_, 1);
    findRow->addWidget(previous);
    findRow->addWidget(next);
    findRow->addWidget(findStatus_);
    findRow->addWidget(close);
    findBar_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(navigation);
    layout->addWidget(browser_, 1);
    layout->addWidget(findBar_);
    resize(560, 520);

    AddShortcut(this, QKeySequence(Qt::CTRL | Qt::Key_F), [this] { OpenFindBar(); });
    AddShortcut(this, QKeySequence(Qt::Key_F3), [this] { FindNext(); });
    AddShortcut(this, QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { FindPrevious(); });
    AddShortcut(this, QKeySequence(Qt::ALT | Qt::Key_Left), [this] { browser_->backward(); });
    AddShortcut(this, QKeySequence(Qt::ALT | Qt::Key_Right), [this] { browser_->forward(); });
}

QTextBrowser* HelpViewer::browser() const {
    return browser_;
}

void HelpViewer::SetSessionFile(const QString& path) {
    browser_->SetSessionFile(path);
}

void HelpViewer::ShowTopic(const std::string& path, int topic, bool ownerOnTop) {
    const HelpFileContent help = ReadHelpFile(path);
    if (!help.problem.empty()) {
        browser_->clear();
        browser_->setPlainText(
            QStringLiteral("The help file %1 cannot be opened: %2.")
                .arg(path.empty() ? QStringLiteral("(none)") : QFile::decodeName(path.c_str()),
                     QString::fromLocal8Bit(help.problem)));
    } else {
        QUrl url = QUrl::fromLocalFile(QFile::decodeName(path.c_str()));
        url.setFragment(TopicAnchor(topic));
        browser_->ShowDocument(url, help.bytes);
    }
    // Owned by the calculator (transient for it) and on its level, so that the window the
    // user asked for is not covered by the calculator.
    if (QWindow* handle = windowHandle()) {
        handle->setFlag(Qt::WindowStaysOnTopHint, ownerOnTop);
    } else {
        setWindowFlag(Qt::WindowStaysOnTopHint, ownerOnTop);
    }
    overrideWindowFlags(windowFlags().setFlag(Qt::WindowStaysOnTopHint, ownerOnTop));
    if (!isVisible()) {
        PlaceBesideOwner();
    }
    show();
    raise();
    activateWindow();
}

void HelpViewer::PlaceBesideOwner() {
    const QWidget* owner = parentWidget();
    if (owner == nullptr || !owner->isVisible()) {
        return;
    }
    const QRect calculator = owner->frameGeometry();
    // The viewer's frame is not drawn yet: the window manager gives it the owner's borders.
    const QSize borders = calculator.size() - owner->size();
    const QSize frame = (isVisible() || testAttribute(Qt::WA_WState_Created))
                            ? frameGeometry().size()
                            : size() + borders;
    QScreen* screen = owner->screen();
    const QRect area = screen ? screen->availableGeometry() : QRect(calculator.topLeft(), frame);
    move(HelpViewerPosition(calculator, frame, area));
}

void HelpViewer::OpenFindBar() {
    findBar_->show();
    findField_->setFocus(Qt::ShortcutFocusReason);
    findField_->selectAll();
}

void HelpViewer::CloseFindBar() {
    findBar_->hide();
    findStatus_->clear();
    browser_->setFocus(Qt::OtherFocusReason);
}

void HelpViewer::FindNext() {
    Find(false);
}

void HelpViewer::FindPrevious() {
    Find(true);
}

bool HelpViewer::Find(bool backward) {
    if (!findBar_->isVisible()) {
        OpenFindBar();
    }
    const QString text = findField_->text();
    findStatus_->clear();
    if (text.isEmpty()) {
        return false;
    }
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (browser_->find(text, flags)) {
        return true;
    }
    // Round the page's end, as a browser's find does.
    QTextCursor cursor = browser_->textCursor();
    const QTextCursor before = cursor;
    cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    browser_->setTextCursor(cursor);
    if (browser_->find(text, flags)) {
        return true;
    }
    browser_->setTextCursor(before);
    findStatus_->setText(QStringLiteral("Not found"));
    return false;
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == findField_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                Find(key->modifiers().testFlag(Qt::ShiftModifier));
                return true;
            case Qt::Key_Escape:
                CloseFindBar();
                return true;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace rpn::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform_start_guard.h"

#include <unistd.h>

#include <QMessageLogger>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <vector>

namespace rpn {
namespace {

struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};

// A message handler is a plain function: what it needs lives here, for the guard's lifetime.
std::string guardedPlatform;
QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage> heldMessages;

void HandleMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        // The toolkit would abort next: nothing has been shown and nothing needs saving.
        std::fputs(PlatformFailureLine(guardedPlatform).c_str(), stderr);
        std::fflush(stderr);
        ::_exit(1);
    }
    heldMessages.push_back({type, context.category ? context.category : "", text});
}

}  // namespace

std::string PlatformFailureLine(const std::string& platform) {
    return "rpncalc: cannot start the window system platform '" + platform +
           "': its Qt plugin is missing or cannot connect\n";
}

PlatformStartGuard::PlatformStartGuard(std::string platform) {
    guardedPlatform = std::move(platform);
    heldMessages.clear();
    previousHandler = qInstallMessageHandler(HandleMessage);
}

PlatformStartGuard::~PlatformStartGuard() {
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& held : heldMessages) {
        const QMessageLogger logger(nullptr, 0, nullptr, held.category.c_str());
        const QByteArray text = held.text.toLocal8Bit();
        switch (held.type) {
            case QtDebugMsg:
                logger.debug("%s", text.constData());
                break;
            case QtInfoMsg:
                logger.info("%s", text.constData());
                break;
            case QtWarningMsg:
                logger.warning("%s", text.constData());
                break;
            default:
                logger.critical("%s", text.constData());
                break;
        }
    }
    heldMessages.clear();
}

}  // namespace rpn

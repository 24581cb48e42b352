// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <functional>
#include <optional>

#include "desktop/rules/fixed_size.h"

class QWindow;

namespace rpn::desktop {

// Keeps a fixed-size window at its size on X whatever another program writes into its size
// hints (WM_NORMAL_HINTS), which the window manager would follow, or whatever size another
// program gives it: the hints are written back as they were, and the size is asked back. The
// window manager's maximise and fullscreen are left to the one who undoes those.
class X11FixedSize : public QObject, public QAbstractNativeEventFilter {
  public:
    // `handle` gives the window's native window (null before it exists); `restorePlace` puts
    // its frame back where it stood, which a window manager may have moved while it blew the
    // window up. Lives as long as `parent`. Does nothing off X.
    X11FixedSize(QObject* parent, std::function<QWindow*()> handle,
                 std::function<void()> restorePlace);
    ~X11FixedSize() override;
    X11FixedSize(const X11FixedSize&) = delete;
    X11FixedSize& operator=(const X11FixedSize&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    // The size the window is fixed at, in device pixels; nothing while it is not fixed.
    std::optional<DeviceSize> Designed(const QWindow& window) const;
    void CheckHints(const QWindow& window);
    // Asks for the designed size back when the window was seen at another; true when it did.
    bool AskedSizeBack(const QWindow& window, DeviceSize seen);

    std::function<QWindow*()> handle_;
    std::function<void()> restorePlace_;
    // The last hints that held the window at its size: the toolkit's own.
    std::optional<SizeHints> kept_;
    SizeKeeper keeper_;
    // Another program changed the hints, and the window manager may have followed them before
    // they were written back: its move goes back too once the size is asked back.
    bool hintsWereChanged_ = false;
    bool installed_ = false;
};

}  // namespace rpn::desktop

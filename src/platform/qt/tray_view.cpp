#include "platform/qt/tray_view.h"

#include <QPointer>

#include "platform/dispatch.h"
#include "platform/qt/artwork.h"
#include "platform/qt/form_view.h"

namespace vz {

TrayView::TrayView(TrayIcon& tray, Host& host, QObject* parent) : QObject(parent) {
    buildMenu(menu_, tray.popupMenu().items(), host);
    icon_.setIcon(applicationIcon());
    icon_.setContextMenu(&menu_);
    connect(&icon_, &QSystemTrayIcon::activated, this,
            [&tray, &host](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick) {
                    dispatch(host, [&] { tray.doubleClick(); });
                }
            });
    QPointer<TrayView> guard(this);
    auto sync = [guard, &tray] {
        if (guard)
            guard->icon_.setVisible(tray.visible());
    };
    sync();
    tray.observe(sync);
}

}  // namespace vz

// The notification-area icon with its context menu, following the tray icon control.
#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

#include "platform/controls.h"

namespace vz {

class Host;

class TrayView : public QObject {
  public:
    TrayView(TrayIcon& tray, Host& host, QObject* parent = nullptr);

  private:
    QMenu menu_;
    QSystemTrayIcon icon_;
};

}  // namespace vz

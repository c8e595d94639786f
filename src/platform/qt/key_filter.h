// Hands every typed character of a text widget to its control's key filter first.
#pragma once

#include <QObject>

#include "platform/controls.h"

namespace vz {

class Host;

class KeyFilter : public QObject {
  public:
    KeyFilter(Edit& edit, Host& host, QObject* parent);
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Edit& edit_;
    Host& host_;
};

}  // namespace vz

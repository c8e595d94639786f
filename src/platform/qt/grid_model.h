// A table model over a string grid, so a list of any length costs one view, not a widget
// per cell.
#pragma once

#include <QAbstractTableModel>

#include "platform/controls.h"

namespace vz {

class GridModel : public QAbstractTableModel {
  public:
    GridModel(StringGrid& grid, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The grid changed; many changes in one event turn into one refresh.
    void scheduleRefresh();

  private:
    void refresh();

    StringGrid& grid_;
    int shownRows_;
    bool refreshPending_ = false;
};

}  // namespace vz

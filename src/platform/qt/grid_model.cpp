#include "platform/qt/grid_model.h"

#include <QTimer>

#include "platform/qt/text.h"

namespace vz {

GridModel::GridModel(StringGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), shownRows_(grid.rowCount()) {}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.columnCount();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= grid_.rowCount())
        return {};
    return toQt(grid_.cell(index.column(), index.row()));
}

void GridModel::scheduleRefresh() {
    if (refreshPending_)
        return;
    refreshPending_ = true;
    QTimer::singleShot(0, this, [this] { refresh(); });
}

void GridModel::refresh() {
    refreshPending_ = false;
    int rows = grid_.rowCount();
    if (rows > shownRows_) {
        beginInsertRows({}, shownRows_, rows - 1);
        shownRows_ = rows;
        endInsertRows();
    } else if (rows < shownRows_) {
        beginRemoveRows({}, rows, shownRows_ - 1);
        shownRows_ = rows;
        endRemoveRows();
    }
    emit dataChanged(index(0, 0), index(rows - 1, grid_.columnCount() - 1));
}

}  // namespace vz

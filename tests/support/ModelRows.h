#pragma once

#include <QAbstractItemModel>
#include <QList>

namespace vantor::test {

// Every row of the model, parents before their children, depth-first.
inline QList<QModelIndex> RowsInOrder(const QAbstractItemModel& model) {
    QList<QModelIndex> rows;
    QList<QModelIndex> pending;
    for (int row = model.rowCount() - 1; row >= 0; --row)
        pending << model.index(row, 0);
    while (!pending.isEmpty()) {
        const QModelIndex index = pending.takeLast();
        rows << index;
        for (int row = model.rowCount(index) - 1; row >= 0; --row)
            pending << model.index(row, 0, index);
    }
    return rows;
}

} // namespace vantor::test

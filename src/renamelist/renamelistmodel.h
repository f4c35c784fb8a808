// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "renamelist/renamelist.h"

#include <QAbstractTableModel>
#include <QPixmap>

namespace quorbel {

// Thin Qt adapter over RenameList: model row r is the list's file row r + 1 and
// the list's row 0 is the horizontal header.
class RenameListModel : public QAbstractTableModel, private RenameListObserver {
    Q_OBJECT
public:
    explicit RenameListModel(RenameList& list, QObject* parent = nullptr);
    ~RenameListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    RenameList& list() { return list_; }
    QModelIndex indexOfCell(int column, int listRow) const;
    static int listRow(const QModelIndex& index) { return index.row() + 1; }

signals:
    void currentCellMoved();

private:
    void cellsChanged(int firstRow, int lastRow) override;
    void rowCountAboutToChange() override;
    void rowCountChanged() override;
    void currentCellChanged() override;
    QVariant cellBackground(int column, int row) const;
    QVariant cellForeground(int column, int row) const;

    RenameList& list_;
    QPixmap rowIndicator_;
};

} // namespace quorbel

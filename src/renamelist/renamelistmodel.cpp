// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamelist/renamelistmodel.h"

#include "renamelist/rowindicator.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <algorithm>

namespace quorbel {

RenameListModel::RenameListModel(RenameList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list), rowIndicator_(rowIndicatorPixmap()) {
    list_.setObserver(this);
}

RenameListModel::~RenameListModel() {
    list_.setObserver(nullptr);
}

int RenameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.RowCount() - 1;
}

int RenameListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : RenameList::ColCount;
}

QModelIndex RenameListModel::indexOfCell(int column, int listRow) const {
    return index(listRow - 1, column);
}

QVariant RenameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int row = listRow(index);
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return QString::fromStdString(list_.getCell(column, row));
    case Qt::DecorationRole:
        if (column == 0 && row == list_.currentCell().row && list_.rowIndicatorLoaded())
            return rowIndicator_;
        return {};
    case Qt::BackgroundRole:
        return cellBackground(column, row);
    case Qt::ForegroundRole:
        return cellForeground(column, row);
    case Qt::FontRole: {
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(11);
        return font;
    }
    default:
        return {};
    }
}

// Only the new-name cells look like data; every fixed cell looks like a header.
QVariant RenameListModel::cellBackground(int column, int row) const {
    const QPalette palette = QApplication::palette();
    if (list_.isFixedCell(column, row))
        return palette.color(QPalette::Button);
    if (list_.currentCell() == CellCoord{column, row})
        return palette.color(QPalette::Highlight);
    return palette.color(QPalette::Base);
}

QVariant RenameListModel::cellForeground(int column, int row) const {
    const QPalette palette = QApplication::palette();
    if (!list_.isFixedCell(column, row) && list_.currentCell() == CellCoord{column, row})
        return palette.color(QPalette::HighlightedText);
    return palette.color(QPalette::WindowText);
}

bool RenameListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() ||
        !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    if (!list_.canEditCell(index.column(), listRow(index)))
        return false;
    list_.setCell(index.column(), listRow(index), value.toString().toStdString());
    return true;
}

Qt::ItemFlags RenameListModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled;
    if (list_.canEditCell(index.column(), listRow(index)))
        flags |= Qt::ItemIsEditable | Qt::ItemIsSelectable;
    return flags;
}

QVariant RenameListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= RenameList::ColCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return QString::fromStdString(list_.getCell(section, 0));
    return {};
}

void RenameListModel::cellsChanged(int firstRow, int lastRow) {
    if (firstRow == 0)
        emit headerDataChanged(Qt::Horizontal, 0, RenameList::ColCount - 1);
    const int first = std::max(firstRow, 1) - 1;
    const int last = std::min(lastRow, list_.RowCount() - 1) - 1;
    if (first <= last)
        emit dataChanged(index(first, 0), index(last, RenameList::ColCount - 1),
                         {Qt::DisplayRole, Qt::EditRole});
}

void RenameListModel::rowCountAboutToChange() {
    beginResetModel();
}

void RenameListModel::rowCountChanged() {
    endResetModel();
}

void RenameListModel::currentCellChanged() {
    // The highlight and the row indicator follow the current cell.
    if (list_.RowCount() > 1)
        emit dataChanged(index(0, 0), index(list_.RowCount() - 2, RenameList::ColCount - 1),
                         {Qt::BackgroundRole, Qt::ForegroundRole, Qt::DecorationRole});
    emit currentCellMoved();
}

} // namespace quorbel

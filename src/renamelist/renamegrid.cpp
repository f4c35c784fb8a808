// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamelist/renamegrid.h"

#include "renamelist/renamelist.h"
#include "renamelist/renamelistmodel.h"
#include "renamelist/sortheader.h"

#include <QApplication>
#include <QFont>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QWheelEvent>

#include <array>

namespace quorbel {
namespace {

constexpr std::array<int, RenameList::ColCount> columnWidths{10, 36, 71, 70, 30, 130, 70};
constexpr int gridRowHeight = 21;

// The row indicator sits at the very top left of its cell, as it was drawn,
// rather than as a decoration centred with the style's margin.
class IndicatorDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QVariant mark = index.data(Qt::DecorationRole);
        if (mark.typeId() != QMetaType::QPixmap) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem cell(option);
        initStyleOption(&cell, index);
        cell.features &= ~QStyleOptionViewItem::HasDecoration;
        cell.icon = QIcon();
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
        painter->drawPixmap(option.rect.topLeft(), mark.value<QPixmap>());
    }
};

} // namespace

RenameGrid::RenameGrid(RenameList& list, QWidget* parent)
    : QTableView(parent), list_(list), model_(new RenameListModel(list, this)),
      header_(new SortHeader(this)) {
    setHorizontalHeader(header_);
    setModel(model_);
    verticalHeader()->hide();
    // Fixed row heights keep the view's cost independent of the row count.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(gridRowHeight);
    verticalHeader()->setMinimumSectionSize(gridRowHeight);
    header_->setFixedHeight(gridRowHeight);
    QFont fixedFont;
    fixedFont.setFamilies({QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Zen Hei")});
    fixedFont.setPixelSize(12);
    header_->setFont(fixedFont);
    header_->setMinimumSectionSize(1);
    for (int column = 0; column < RenameList::ColCount; ++column)
        header_->resizeSection(column, columnWidths[static_cast<size_t>(column)]);
    setItemDelegateForColumn(0, new IndicatorDelegate(this));
    // A click focuses the grid through mousePressEvent only: with click focus
    // Qt would also hand it the focus for a click on the header, which closes
    // an open editor although such a click may do nothing at all.
    setFocusPolicy(Qt::TabFocus);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setStyleSheet(QStringLiteral("QTableView { gridline-color: silver; }"));
    connect(model_, &RenameListModel::currentCellMoved, this, &RenameGrid::followCurrentCell);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        updateSortIndicator();
        followCurrentCell();
    });
    connect(header_, &SortHeader::sortClicked, this, &RenameGrid::sortByHeader);
    updateSortIndicator();
    followCurrentCell();
}

bool RenameGrid::runGuarded(const std::function<void()>& handler) {
    if (guard_)
        return guard_(handler);
    handler();
    return true;
}

std::pair<int, int> RenameGrid::cellAt(const QPoint& viewportPos) const {
    const QModelIndex index = indexAt(viewportPos);
    if (!index.isValid())
        return {-1, -1};
    return {index.column(), RenameListModel::listRow(index)};
}

void RenameGrid::followCurrentCell() {
    const CellCoord cell = list_.currentCell();
    const QModelIndex index = model_->indexOfCell(cell.column, cell.row);
    if (!index.isValid())
        return;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    scrollTo(index);
}

void RenameGrid::updateSortIndicator() {
    const bool shown = list_.RowCount() > 2;
    header_->setSortIndicatorShown(shown);
    const SortSettings& sort = list_.sortSettings();
    // Qt's styles draw AscendingOrder as a downward triangle; ours points up for
    // ascending, so the order handed to the header is the mirrored one.
    header_->setSortIndicator(sort.Column, sort.Direction == SortDirection::Ascending
                                               ? Qt::DescendingOrder
                                               : Qt::AscendingOrder);
}

void RenameGrid::sortByHeader(int column) {
    // With fewer than two file rows a header click does nothing at all, and
    // leaves an open editor open.
    if (list_.RowCount() <= 2)
        return;
    // An open editor keeps its text in the cell before the rows move.
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    runGuarded([&] { list_.headerClick(column); });
    updateSortIndicator();
    viewport()->update();
}

bool RenameGrid::editsCurrentCell() const {
    const CellCoord cell = list_.currentCell();
    return list_.editingEnabled() && list_.canEditCell(cell.column, cell.row);
}

void RenameGrid::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const auto [column, row] = cellAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || row < 0 || column == 0)
        return;
    const CellCoord current = list_.currentCell();
    if (CellCoord{column, row} == current && editsCurrentCell()) {
        edit(model_->indexOfCell(column, row));
        return;
    }
    // Copied, not captured: clang 14 cannot capture structured bindings.
    runGuarded([this, column = column, row = row] { list_.requestCell(column, row); });
}

void RenameGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void RenameGrid::mouseMoveEvent(QMouseEvent*) {
    // Dragging selects nothing: only the current cell matters.
}

int RenameGrid::pageRows() const {
    return std::max(1, viewport()->height() / gridRowHeight - 1);
}

bool RenameGrid::startTyping(QKeyEvent* event) {
    if (!editsCurrentCell() || event->text().isEmpty() || !event->text().at(0).isPrint())
        return false;
    const CellCoord cell = list_.currentCell();
    return edit(model_->indexOfCell(cell.column, cell.row), AnyKeyPressed, event);
}

void RenameGrid::keyPressEvent(QKeyEvent* event) {
    const CellCoord cell = list_.currentCell();
    switch (event->key()) {
    case Qt::Key_Up:
        runGuarded([&] { list_.moveRows(-1); });
        return;
    case Qt::Key_Down:
        runGuarded([&] { list_.moveRows(1); });
        return;
    case Qt::Key_PageUp:
        runGuarded([&] { list_.moveRows(-pageRows()); });
        return;
    case Qt::Key_PageDown:
        runGuarded([&] { list_.moveRows(pageRows()); });
        return;
    case Qt::Key_Left:
        runGuarded([&] { list_.requestCell(cell.column - 1, cell.row); });
        return;
    case Qt::Key_Right:
        runGuarded([&] { list_.requestCell(cell.column + 1, cell.row); });
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // The editor's own Enter reaches us too, after it has asked to close.
        if (editsCurrentCell() && state() != EditingState)
            edit(model_->indexOfCell(cell.column, cell.row));
        return;
    default:
        if (!startTyping(event))
            event->ignore();
    }
}

void RenameGrid::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    for (int i = 0; i < std::abs(steps); ++i) {
        // An error from the row-change handler ends the wheel's handling.
        if (!runGuarded([&] { list_.wheelStep(steps < 0 ? 1 : -1); }))
            break;
    }
    event->accept();
}

} // namespace quorbel

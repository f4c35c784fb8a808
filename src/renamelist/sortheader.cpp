// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamelist/sortheader.h"

#include <QMouseEvent>

namespace quorbel {

SortHeader::SortHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(false);
    setHighlightSections(false);
    connect(this, &QHeaderView::sectionResized, this, [this] { resized_ = true; });
}

void SortHeader::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    resized_ = false;
    QHeaderView::mousePressEvent(event);
}

void SortHeader::mouseReleaseEvent(QMouseEvent* event) {
    QHeaderView::mouseReleaseEvent(event);
    const bool sorts = releaseSorts(event);
    pressed_ = false;
    if (sorts)
        emit sortClicked(logicalIndexAt(event->position().toPoint()));
}

bool SortHeader::releaseSorts(QMouseEvent* event) const {
    if (!pressed_ || resized_ || event->button() != Qt::LeftButton)
        return false;
    const int x = event->position().toPoint().x();
    const int column = logicalIndexAt(x);
    if (column < 0 || !rect().contains(event->position().toPoint()))
        return false;
    const int left = sectionViewportPosition(column);
    const int right = left + sectionSize(column);
    return x - left >= borderMargin && right - x >= borderMargin;
}

} // namespace quorbel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbering/namepreview.h"

#include <QHeaderView>

namespace quorbel {

NamePreview::NamePreview(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(2);
    setHeaderLabels({tr("原名称"), tr("新名称")});
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setUniformRowHeights(true);
    setTextElideMode(Qt::ElideMiddle);
    header()->setSectionResizeMode(QHeaderView::Stretch);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(false);
}

void NamePreview::showPairs(const QList<QPair<QString, QString>>& pairs) {
    clear();
    for (const auto& [oldName, newName] : pairs) {
        auto* item = new QTreeWidgetItem(this, {oldName, newName});
        item->setToolTip(0, oldName);
        item->setToolTip(1, newName);
    }
}

QList<QPair<QString, QString>> NamePreview::pairs() const {
    QList<QPair<QString, QString>> shown;
    for (int i = 0; i < topLevelItemCount(); ++i)
        shown.append({topLevelItem(i)->text(0), topLevelItem(i)->text(1)});
    return shown;
}

} // namespace quorbel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/listdroptarget.h"

#include "app/main.h"
#include "app/opendircommand.h"
#include "intake/droppedfiles.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QWidget>

namespace quorbel {
namespace {

bool usable(const DroppedFiles& dropped) {
    return !dropped.files.empty() || dropped.folders.size() == 1;
}

// The list only takes note of where the files are. Asking the source for a
// move would let a file manager delete what it thinks was moved, so the drop
// is a copy, or a link where the source offers no copy.
bool acceptAsCopy(QDropEvent* event) {
    const Qt::DropActions offered = event->possibleActions();
    if (offered & Qt::CopyAction)
        event->setDropAction(Qt::CopyAction);
    else if (offered & Qt::LinkAction)
        event->setDropAction(Qt::LinkAction);
    else
        return false;
    event->accept();
    return true;
}

} // namespace

ListDropTarget::ListDropTarget(TfrmMain& main, QWidget* surface) : QObject(&main), main_(main) {
    surface->setAcceptDrops(true);
    surface->installEventFilter(this);
}

bool ListDropTarget::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto* drag = static_cast<QDropEvent*>(event);
        dragUsable_ = drag->mimeData() && usable(readDroppedFiles(*drag->mimeData()));
        if (!dragUsable_ || !acceptAsCopy(drag))
            drag->ignore();
        return true;
    }
    case QEvent::DragMove: {
        // Judged once on entering: the files are not looked up at every move.
        auto* drag = static_cast<QDropEvent*>(event);
        if (!dragUsable_ || !acceptAsCopy(drag))
            drag->ignore();
        return true;
    }
    case QEvent::DragLeave:
        return true;
    case QEvent::Drop:
        drop(static_cast<QDropEvent*>(event));
        return true;
    default:
        return false;
    }
}

// The work waits until the drop has returned: the source is told the drop is
// done at once and is not held while a dialog is open.
void ListDropTarget::drop(QDropEvent* event) {
    const DroppedFiles dropped =
        event->mimeData() ? readDroppedFiles(*event->mimeData()) : DroppedFiles{};
    if (!usable(dropped) || !acceptAsCopy(event)) {
        event->ignore();
        return;
    }
    QMetaObject::invokeMethod(
        this, [this, dropped] { main_.runGuarded([&] { take(dropped); }); }, Qt::QueuedConnection);
}

void ListDropTarget::take(const DroppedFiles& dropped) {
    if (!dropped.files.empty())
        main_.fillGrid(dropped.files);
    else
        openDirCommand(main_,
                       QFile::decodeName(QByteArray::fromStdString(dropped.folders.front())));
}

} // namespace quorbel

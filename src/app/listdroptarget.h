// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QDropEvent;
class QWidget;

namespace quorbel {

struct DroppedFiles;
class TfrmMain;

// Files and folders dragged from a file manager onto the rename list. Files
// replace the list as the picture chooser's OK does; a single folder opens the
// directory import with that folder chosen. A drag holding neither is refused
// without a word, so the pointer shows it will not land.
class ListDropTarget : public QObject {
public:
    // Watches the surface (the list's viewport) and takes over its drag events.
    ListDropTarget(TfrmMain& main, QWidget* surface);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void drop(QDropEvent* event);
    void take(const DroppedFiles& dropped);

    TfrmMain& main_;
    bool dragUsable_ = false;
};

} // namespace quorbel

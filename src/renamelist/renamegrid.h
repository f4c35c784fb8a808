// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableView>

#include <functional>

namespace quorbel {

class RenameList;
class RenameListModel;
class SortHeader;

// The grid on screen. It owns no rules: every click, key and wheel step is
// handed to the list, which decides on row changes, the current cell and
// editing; the grid only follows.
class RenameGrid : public QTableView {
    Q_OBJECT
public:
    // Receives every handler call, so an error leaving it reaches the error display.
    using Guard = std::function<bool(const std::function<void()>&)>;

    explicit RenameGrid(RenameList& list, QWidget* parent = nullptr);

    void setGuard(Guard guard) { guard_ = std::move(guard); }
    RenameList& list() { return list_; }
    RenameListModel* listModel() { return model_; }
    SortHeader* sortHeader() { return header_; }
    // The cell of the list under a point of the viewport, or row -1.
    std::pair<int, int> cellAt(const QPoint& viewportPos) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool runGuarded(const std::function<void()>& handler);
    void followCurrentCell();
    void updateSortIndicator();
    void sortByHeader(int column);
    bool editsCurrentCell() const;
    bool startTyping(QKeyEvent* event);
    int pageRows() const;

    RenameList& list_;
    RenameListModel* model_;
    SortHeader* header_;
    Guard guard_;
};

} // namespace quorbel

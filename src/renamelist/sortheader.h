// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHeaderView>

namespace quorbel {

// The header row. A left-button release sorts only when the press was on the
// header too, no column was resized in between, and the release point keeps
// clear of both borders of its cell, where a press is taken for a resize.
class SortHeader : public QHeaderView {
    Q_OBJECT
public:
    static constexpr int borderMargin = 4;

    explicit SortHeader(QWidget* parent = nullptr);

signals:
    void sortClicked(int column);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool releaseSorts(QMouseEvent* event) const;

    bool pressed_ = false;
    bool resized_ = false;
};

} // namespace quorbel

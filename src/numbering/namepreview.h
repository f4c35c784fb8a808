// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTreeWidget>

namespace quorbel {

// The first rows of the list with the name each would get, old on the left,
// new on the right, as a rule dialog shows them while the user types.
class NamePreview : public QTreeWidget {
    Q_OBJECT
public:
    // How many file rows a rule dialog previews.
    static constexpr int rows = 6;

    explicit NamePreview(QWidget* parent = nullptr);

    void showPairs(const QList<QPair<QString, QString>>& pairs);
    // The old and new name of each row shown, for tests and the screen reader.
    QList<QPair<QString, QString>> pairs() const;
};

} // namespace quorbel

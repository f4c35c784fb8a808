// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "renamelist/renamelist.h"

namespace quorbel::test {

// Counts the list's change announcements, to show that a command refreshes the
// grid once rather than once per row.
class CountingObserver : public RenameListObserver {
public:
    void cellsChanged(int, int) override { ++changes; }
    void rowCountAboutToChange() override {}
    void rowCountChanged() override {}
    void currentCellChanged() override {}
    int changes = 0;
};

} // namespace quorbel::test

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

namespace quorbel {

class TfrmMain;

// The one table the menus and the tool bar are built from. Menu items and tool
// buttons only point at these actions. Captions and hints are the source texts
// of the window's translations (context "quorbel::TfrmMain").
struct ActionEntry {
    std::string_view name;
    std::string_view caption;
    std::string_view hint;
    std::string_view category;
    int icon;
    bool visible;
    void (TfrmMain::*handler)();
};

extern const std::array<ActionEntry, 13> actionTable;

// "-" stands for a separator.
struct MenuEntry {
    std::string_view caption;
    std::array<std::string_view, 10> items; // unused slots are empty (left out)
};

extern const std::array<MenuEntry, 3> menuTree;
extern const std::array<std::string_view, 11> toolBarOrder;

} // namespace quorbel

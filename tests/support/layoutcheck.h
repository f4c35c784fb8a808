// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QWidget;

namespace quorbel::test {

// Every shown control of a window that is cut off by its parent's edge, or
// crossed by the frame line of the group box it stands in, one line each.
// Empty when the window is drawn whole.
QStringList controlsOutsideTheirParent(const QWidget& window);

// Every shown caption too wide for its control: a label's text, a button's or
// check box's text with its icon and margins, a group box's title, a tool
// button's caption. Empty when every text is shown whole.
QStringList textsCutOff(const QWidget& window);

// Every text a window shows that holds Chinese characters: the window title,
// captions, tool tips, menu titles and items, grid column headers.
QStringList chineseTexts(const QWidget& window);

} // namespace quorbel::test

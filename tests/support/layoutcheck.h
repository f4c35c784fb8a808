#pragma once

#include <QStringList>

class QWidget;

namespace quorbel::test {

// Every shown control of a window that is cut off by its parent's edge, or
// crossed by the frame line of the group box it stands in, one line each.
// Empty when the window is drawn whole.
QStringList controlsOutsideTheirParent(const QWidget& window);

} // namespace quorbel::test

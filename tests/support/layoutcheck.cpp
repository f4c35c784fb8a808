#include "support/layoutcheck.h"

#include <QGroupBox>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QWidget>

namespace quorbel::test {
namespace {

QString describe(const QWidget& widget) {
    const QString name = widget.objectName().isEmpty() ? QStringLiteral("?") : widget.objectName();
    const QRect r = widget.geometry();
    return QStringLiteral("%1 %2 at %3,%4 %5x%6 in %7 (%8x%9)")
        .arg(QString::fromLatin1(widget.metaObject()->className()), name)
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height())
        .arg(widget.parentWidget()->objectName())
        .arg(widget.parentWidget()->width())
        .arg(widget.parentWidget()->height());
}

// What the style leaves inside a group box's frame and caption. Styles
// differ in where they draw the frame line (through the caption or under it),
// and not all of them say so for the frame itself, but each keeps its
// contents clear of it.
QRect groupContents(const QGroupBox& box) {
    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = box.title();
    option.lineWidth = 1;
    option.midLineWidth = 0;
    option.textAlignment = box.alignment();
    option.subControls = QStyle::SC_GroupBoxFrame;
    if (!box.title().isEmpty())
        option.subControls |= QStyle::SC_GroupBoxLabel;
    if (box.isFlat())
        option.features |= QStyleOptionFrame::Flat;
    return box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents,
                                       &box);
}

} // namespace

QStringList controlsOutsideTheirParent(const QWidget& window) {
    QStringList faults;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        const QWidget* parent = widget->parentWidget();
        if (widget->isWindow() || !parent || !widget->isVisibleTo(&window))
            continue;
        if (!parent->rect().contains(widget->geometry()))
            faults << QStringLiteral("cut off: ") + describe(*widget);
        else if (const auto* box = qobject_cast<const QGroupBox*>(parent);
                 box && !groupContents(*box).contains(widget->geometry()))
            faults << QStringLiteral("on the frame or caption: ") + describe(*widget);
    }
    return faults;
}

} // namespace quorbel::test

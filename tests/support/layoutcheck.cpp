// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/layoutcheck.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QToolButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QWidget>

#include <algorithm>

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

// The room a button's style leaves for its caption and icon.
int buttonTextRoom(const QAbstractButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox*>(&button))
        element = QStyle::SE_CheckBoxContents;
    int room = button.style()->subElementRect(element, &option, &button).width();
    if (!button.icon().isNull())
        room -= button.iconSize().width() + 4;
    return room;
}

QString plain(const QString& text) {
    QString shown = text;
    shown.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    shown.remove(QLatin1Char('&'));
    return shown;
}

bool hasHan(const QString& text) {
    static const QRegularExpression han(QStringLiteral("[\\x{3400}-\\x{9fff}\\x{f900}-\\x{faff}]"));
    return han.match(text).hasMatch();
}

// A column header's caption beside the section's width, less the style's
// margin on either side.
QStringList headerTextsCutOff(const QHeaderView& header) {
    QStringList faults;
    const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    for (int section = 0; section < header.count(); ++section) {
        if (header.isSectionHidden(section))
            continue;
        const QString text =
            header.model()->headerData(section, header.orientation()).toString();
        const int room = header.sectionSize(section) - 2 * margin;
        if (header.fontMetrics().horizontalAdvance(text) > room)
            faults << QStringLiteral("header cut off: \"%1\" needs %2 pixels, has %3")
                          .arg(text)
                          .arg(header.fontMetrics().horizontalAdvance(text))
                          .arg(room);
    }
    return faults;
}

// A label whose text runs under another control beside it.
QStringList labelRunsUnder(const QLabel& label) {
    QStringList faults;
    if (label.text().isEmpty() || !label.parentWidget())
        return faults;
    QRect textRect = label.geometry();
    textRect.setWidth(std::min(textRect.width(),
                               label.fontMetrics().horizontalAdvance(plain(label.text())) +
                                   label.contentsMargins().left()));
    for (const QObject* object : label.parentWidget()->children()) {
        const auto* sibling = qobject_cast<const QWidget*>(object);
        if (!sibling || sibling == &label || !sibling->isVisibleTo(label.parentWidget()) ||
            qobject_cast<const QLabel*>(sibling))
            continue;
        if (textRect.intersects(sibling->geometry()))
            faults << QStringLiteral("label \"%1\" runs under %2")
                          .arg(plain(label.text()), describe(*sibling));
    }
    return faults;
}

// A check box, as wide as its caption needs, lying under another control.
QStringList checkBoxRunsUnder(const QCheckBox& box) {
    QStringList faults;
    const QRect needed(box.pos(), QSize(std::max(box.width(), box.sizeHint().width()),
                                         box.height()));
    for (const QObject* object : box.parentWidget()->children()) {
        const auto* sibling = qobject_cast<const QWidget*>(object);
        if (!sibling || sibling == &box || !sibling->isVisibleTo(box.parentWidget()))
            continue;
        if (needed.intersects(sibling->geometry()))
            faults << QStringLiteral("check box \"%1\" runs under %2")
                          .arg(plain(box.text()), describe(*sibling));
    }
    return faults;
}

} // namespace

QStringList textsCutOff(const QWidget& window) {
    QStringList faults;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->isWindow() || !widget->isVisibleTo(&window))
            continue;
        const QFontMetrics metrics = widget->fontMetrics();
        QString text;
        int room = 0;
        if (const auto* label = qobject_cast<const QLabel*>(widget);
            label && !label->wordWrap() && !label->text().isEmpty()) {
            text = plain(label->text());
            room = label->contentsRect().width() - 2 * label->margin();
        } else if (const auto* tool = qobject_cast<const QToolButton*>(widget)) {
            text = tool->text();
            room = tool->width() - 4;
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            text = plain(button->text());
            room = buttonTextRoom(*button);
        } else if (const auto* box = qobject_cast<const QGroupBox*>(widget)) {
            text = box->title();
            room = box->width() - 16;
        }
        if (const auto* header = qobject_cast<const QHeaderView*>(widget);
            header && header->model()) {
            faults << headerTextsCutOff(*header);
            continue;
        }
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            faults << labelRunsUnder(*label);
        if (const auto* box = qobject_cast<const QCheckBox*>(widget))
            faults << checkBoxRunsUnder(*box);
        if (!text.isEmpty() && metrics.horizontalAdvance(text) > room)
            faults << QStringLiteral("text cut off: \"%1\" needs %2 pixels, has %3: %4")
                          .arg(text)
                          .arg(metrics.horizontalAdvance(text))
                          .arg(room)
                          .arg(describe(*widget));
    }
    return faults;
}

QStringList chineseTexts(const QWidget& window) {
    QStringList texts{window.windowTitle()};
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        texts << widget->toolTip();
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            texts << label->text();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            texts << button->text();
        else if (const auto* box = qobject_cast<const QGroupBox*>(widget))
            texts << box->title();
        else if (const auto* menu = qobject_cast<const QMenu*>(widget))
            texts << menu->title();
        else if (const auto* view = qobject_cast<const QAbstractItemView*>(widget);
                 view && view->model()) {
            for (int column = 0; column < view->model()->columnCount(); ++column)
                texts << view->model()->headerData(column, Qt::Horizontal).toString();
        }
    }
    for (const QAction* action : window.findChildren<QAction*>())
        texts << action->text() << action->iconText() << action->toolTip();
    QStringList found;
    for (const QString& text : texts) {
        if (hasHan(text) && !found.contains(text))
            found << text;
    }
    return found;
}

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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbering/spinfield.h"

#include "numbering/integerreading.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QToolButton>

#include <algorithm>
#include <limits>

namespace quorbel {
namespace {

constexpr int arrowWidth = 15;

} // namespace

SpinField::SpinField(QWidget* parent) : QLineEdit(parent) {
    up_ = addArrow(Qt::UpArrow, 1);
    down_ = addArrow(Qt::DownArrow, -1);
    setTextMargins(0, 0, arrowWidth, 0);
}

QToolButton* SpinField::addArrow(Qt::ArrowType arrow, int direction) {
    auto* button = new QToolButton(this);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::ArrowCursor);
    button->setAutoRepeat(true);
    button->setAutoRaise(false);
    connect(button, &QToolButton::clicked, this, [this, direction] {
        setFocus(Qt::MouseFocusReason);
        stepBy(direction);
    });
    return button;
}

void SpinField::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    const int half = height() / 2;
    up_->setGeometry(width() - arrowWidth - 1, 1, arrowWidth, half - 1);
    down_->setGeometry(width() - arrowWidth - 1, half, arrowWidth, height() - half - 1);
}

std::int32_t SpinField::value() const {
    return readInteger(text().toStdString()).value_or(minValue_);
}

// The tests run in this order on purpose: with the upper limit below the lower
// one, every value at or above the lower limit ends up at the upper limit.
std::int32_t SpinField::clamped(std::int32_t value) const {
    if (minValue_ == maxValue_)
        return value;
    if (value < minValue_)
        return minValue_;
    if (value > maxValue_)
        return maxValue_;
    return value;
}

void SpinField::setValue(std::int32_t value) {
    setText(QString::number(clamped(value)));
}

void SpinField::stepBy(int direction) {
    // Saturate rather than wrap when the limits are equal and nothing clamps.
    const std::int64_t next = std::clamp<std::int64_t>(std::int64_t{value()} + direction,
                                                       std::numeric_limits<std::int32_t>::min(),
                                                       std::numeric_limits<std::int32_t>::max());
    setValue(static_cast<std::int32_t>(next));
}

bool SpinField::acceptsKey(const QString& typed, char decimalSeparator) {
    if (typed.size() != 1)
        return false;
    const QChar c = typed.front();
    if (c.unicode() < 32)
        return c != QLatin1Char('\r') && c != QLatin1Char('\n');
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+') ||
           c == QLatin1Char('-') || c == QLatin1Char(decimalSeparator);
}

void SpinField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        stepBy(event->key() == Qt::Key_Up ? 1 : -1);
        return;
    }
    // Keys that type nothing (arrows, Home, Delete, shortcuts) pass through;
    // Enter types "\r" and is refused like any other key that is not a number.
    const bool typesText = !event->text().isEmpty() && !event->matches(QKeySequence::Paste) &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (typesText && !acceptsKey(event->text(), decimalSeparator_)) {
        QApplication::beep();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void SpinField::inputMethodEvent(QInputMethodEvent* event) {
    const QString committed = event->commitString();
    QString kept;
    for (const QChar c : committed) {
        // Control characters come as keys, never as committed text.
        if (c.unicode() >= 32 && acceptsKey(QString(c), decimalSeparator_))
            kept += c;
    }
    if (kept == committed) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QApplication::beep();
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
    event->accept();
}

void SpinField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A context menu (say, to paste) is no move to another field.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    const std::int32_t current = value();
    if (clamped(current) != current)
        setValue(current);
}

} // namespace quorbel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

#include <cstdint>

class QToolButton;

namespace quorbel {

// A one-line number field with up and down arrows. Unlike QSpinBox it keeps
// whatever text the user typed or pasted: the value is read from the text on
// demand (a text that is not an integer reads as the lower limit), and the
// limits are enforced only on assignment, on an arrow step and when the field
// loses the focus. The numbering command relies on exactly that.
class SpinField : public QLineEdit {
    Q_OBJECT
public:
    explicit SpinField(QWidget* parent = nullptr);

    std::int32_t minValue() const { return minValue_; }
    std::int32_t maxValue() const { return maxValue_; }
    // Changing a limit leaves the text alone.
    void setMinValue(std::int32_t value) { minValue_ = value; }
    void setMaxValue(std::int32_t value) { maxValue_ = value; }

    std::int32_t value() const;
    void setValue(std::int32_t value); // clamped
    std::int32_t clamped(std::int32_t value) const;

    void stepUp() { stepBy(1); }
    void stepDown() { stepBy(-1); }

    void setDecimalSeparator(char separator) { decimalSeparator_ = separator; }
    static bool acceptsKey(const QString& typed, char decimalSeparator);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Text committed by an input method is filtered by the same rule as keys,
    // character by character.
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* addArrow(Qt::ArrowType arrow, int direction);
    void stepBy(int direction);

    std::int32_t minValue_ = 0;
    std::int32_t maxValue_ = 0;
    char decimalSeparator_ = '.';
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
};

} // namespace quorbel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace quorbel {

class SpinField;

// The numbering dialog: a plain form. The numbering command prepares it, reads
// it once it closed with OK, and writes the names itself.
class TfrmSerial : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSerial(QWidget* parent = nullptr, char decimalSeparator = '.');

    QLineEdit* leBC() const { return leBC_; }
    QLineEdit* leBN() const { return leBN_; }
    SpinField* sedInc() const { return sedInc_; }
    SpinField* sedtB() const { return sedtB_; }
    SpinField* sedtE() const { return sedtE_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    QGroupBox* buildRuleGroup();
    QGroupBox* buildRangeGroup();
    void buildButtons();
    QLineEdit* addLabelledEdit(QWidget* parent, const QString& name, const QString& label,
                               const QString& text, QPoint at);
    SpinField* addSpinField(QWidget* parent, const QString& name, const QString& label,
                            QPoint labelAt, QPoint fieldAt, int upper);

    char decimalSeparator_;
    QLineEdit* leBC_ = nullptr;
    QLineEdit* leBN_ = nullptr;
    SpinField* sedInc_ = nullptr;
    SpinField* sedtB_ = nullptr;
    SpinField* sedtE_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace quorbel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbering/serialnub.h"

#include "numbering/spinfield.h"
#include "platform/captionedframes.h"
#include "platform/desktopcentre.h"
#include "platform/dialogfont.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace quorbel {
namespace {

constexpr int fieldWidth = 73;
constexpr int fieldHeight = 21;

QLabel* addLabel(QWidget* parent, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->move(at);
    label->adjustSize();
    return label;
}

} // namespace

TfrmSerial::TfrmSerial(QWidget* parent, char decimalSeparator)
    : QDialog(parent), decimalSeparator_(decimalSeparator) {
    setObjectName(QStringLiteral("TfrmSerial"));
    setWindowTitle(tr("自动编号"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    setFont(dialogFont());
    useCaptionedFrames(*this);
    // The client area of a 301 x 221 window with a standard caption and border.
    setFixedSize(293, 194);
    buildRuleGroup();
    buildRangeGroup();
    buildButtons();
    centreOnDesktop(*this);
}

QGroupBox* TfrmSerial::buildRuleGroup() {
    auto* group = new QGroupBox(tr("编号规则"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setGeometry(8, 8, 145, 89);
    leBC_ = addLabelledEdit(group, QStringLiteral("leBC"), tr("打头字符"),
                            QStringLiteral("B"), {64, 16});
    leBN_ = addLabelledEdit(group, QStringLiteral("leBN"), tr("起始编号"),
                            QStringLiteral("01"), {64, 38});
    sedInc_ = addSpinField(group, QStringLiteral("sedInc"), tr("递增量"), {12, 66},
                           {64, 61}, 10000);
    return group;
}

QGroupBox* TfrmSerial::buildRangeGroup() {
    auto* group = new QGroupBox(tr("编号范围"), this);
    group->setObjectName(QStringLiteral("GroupBox2"));
    group->setGeometry(8, 105, 145, 80);
    sedtB_ = addSpinField(group, QStringLiteral("sedtB"), tr("起始"), {16, 22},
                          {48, 16}, 999999);
    sedtE_ = addSpinField(group, QStringLiteral("sedtE"), tr("终止"), {16, 48},
                          {48, 48}, 999999);
    return group;
}

void TfrmSerial::buildButtons() {
    ok_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("确定"),
                          this);
    ok_->setObjectName(QStringLiteral("bbtnOK"));
    ok_->setGeometry(192, 16, 75, 25);
    cancel_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                              tr("放弃"), this);
    cancel_->setObjectName(QStringLiteral("bbtnCancel"));
    cancel_->setGeometry(192, 56, 75, 25);
    // Neither button may become the default, or Enter in a field would close
    // the dialog; Escape reaches reject() like a press of Cancel.
    for (QPushButton* button : {ok_, cancel_}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* TfrmSerial::addLabelledEdit(QWidget* parent, const QString& name, const QString& label,
                                       const QString& text, QPoint at) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setGeometry(at.x(), at.y(), fieldWidth, fieldHeight);
    QLabel* caption = addLabel(parent, label, {});
    caption->move(at.x() - caption->width() - 3, at.y() + (fieldHeight - caption->height()) / 2);
    caption->setBuddy(edit);
    return edit;
}

SpinField* TfrmSerial::addSpinField(QWidget* parent, const QString& name, const QString& label,
                                    QPoint labelAt, QPoint fieldAt, int upper) {
    auto* field = new SpinField(parent);
    field->setObjectName(name);
    field->setGeometry(fieldAt.x(), fieldAt.y(), fieldWidth, fieldHeight);
    field->setDecimalSeparator(decimalSeparator_);
    field->setMinValue(1);
    field->setMaxValue(upper);
    field->setValue(1);
    addLabel(parent, label, labelAt)->setBuddy(field);
    return field;
}

} // namespace quorbel

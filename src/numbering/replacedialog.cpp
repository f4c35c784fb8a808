// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbering/replacedialog.h"

#include "numbering/namepreview.h"
#include "numbering/ruledialogparts.h"
#include "platform/desktopcentre.h"
#include "platform/messageboxes.h"
#include "renamelist/renamelist.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace quorbel {
namespace {

// The client area: the rule beside the buttons, the preview below both.
constexpr QSize clientSize(420, 304);
constexpr int fieldLeft = 64;
constexpr int fieldWidth = 224;

} // namespace

TfrmReplace::TfrmReplace(const RenameList& list, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), list_(list), messages_(messages) {
    setUpRuleDialog(*this, QStringLiteral("TfrmReplace"), tr("查找替换"), clientSize);
    buildRuleGroup();
    addPreviewGroup(*this, 114, lvPreview_, lbProblem_);
    addRuleButtons(*this, ok_, cancel_);
    for (QLineEdit* field : {leFind_, leReplace_})
        connect(field, &QLineEdit::textChanged, this, &TfrmReplace::updatePreview);
    for (QCheckBox* box : {ckbRegex_, ckbIgnoreCase_})
        connect(box, &QCheckBox::toggled, this, &TfrmReplace::updatePreview);
    updatePreview();
    centreOnDesktop(*this);
}

void TfrmReplace::buildRuleGroup() {
    auto* group = new QGroupBox(tr("替换规则"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setGeometry(8, 8, 304, 98);
    leFind_ =
        addRuleField(group, QStringLiteral("leFind"), tr("查找"), {fieldLeft, 16}, fieldWidth);
    leReplace_ =
        addRuleField(group, QStringLiteral("leReplace"), tr("替换为"), {fieldLeft, 42}, fieldWidth);
    ckbRegex_ = new QCheckBox(tr("正则表达式"), group);
    ckbRegex_->setObjectName(QStringLiteral("ckbRegex"));
    ckbRegex_->setToolTip(tr("替换为里可用 $1 或 ${名称} 引用分组"));
    ckbRegex_->move(fieldLeft, 70);
    ckbRegex_->adjustSize();
    ckbIgnoreCase_ = new QCheckBox(tr("不区分大小写"), group);
    ckbIgnoreCase_->setObjectName(QStringLiteral("ckbIgnoreCase"));
    // Where a translated caption of the first box is longer, the second moves right.
    ckbIgnoreCase_->move(std::max(fieldLeft + 104, ckbRegex_->geometry().right() + 9), 70);
    ckbIgnoreCase_->adjustSize();
}

ReplaceRule TfrmReplace::rule() const {
    return {leFind_->text().toStdString(), leReplace_->text().toStdString(), ckbRegex_->isChecked(),
            ckbIgnoreCase_->isChecked()};
}

void TfrmReplace::setRule(const ReplaceRule& rule) {
    leFind_->setText(QString::fromStdString(rule.find));
    leReplace_->setText(QString::fromStdString(rule.replacement));
    ckbRegex_->setChecked(rule.regex);
    ckbIgnoreCase_->setChecked(rule.ignoreCase);
}

// An empty find text is no mistake while the user has yet to type it: the
// rows show unchanged and nothing is said.
void TfrmReplace::updatePreview() {
    QList<QPair<QString, QString>> pairs;
    showProblem(*lbProblem_, {});
    std::optional<NameReplacer> replacer;
    try {
        if (!leFind_->text().isEmpty())
            replacer.emplace(rule());
    } catch (const ReplaceRuleError& error) {
        showProblem(*lbProblem_, QString::fromStdString(error.what()));
    }
    const int last = std::min(NamePreview::rows, list_.RowCount() - 1);
    for (int row = 1; row <= last; ++row) {
        const std::string& oldName = list_.getCell(RenameList::OldName, row);
        std::optional<std::string> newName;
        try {
            if (replacer)
                newName = replacer->replace(oldName);
        } catch (const ReplaceRuleError& error) {
            showProblem(*lbProblem_, QString::fromStdString(error.what()));
        }
        const QString shown = !newName           ? tr("（不变）")
                              : newName->empty() ? tr("（空）")
                                                 : shownFileName(list_, row, *newName);
        pairs.append({shownFileName(list_, row, oldName), shown});
    }
    lvPreview_->showPairs(pairs);
}

void TfrmReplace::accept() {
    try {
        NameReplacer check(rule());
    } catch (const ReplaceRuleError& error) {
        messages_.information(this, tr("提示"), QString::fromStdString(error.what()));
        return;
    }
    QDialog::accept();
}

} // namespace quorbel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbering/datenamedialog.h"

#include "numbering/namepreview.h"
#include "numbering/ruledialogparts.h"
#include "platform/desktopcentre.h"
#include "platform/messageboxes.h"
#include "renamelist/renamelist.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <map>

namespace quorbel {
namespace {

constexpr QSize clientSize(420, 276);
constexpr int fieldLeft = 40;
constexpr int fieldWidth = 248;

} // namespace

TfrmDateName::TfrmDateName(const RenameList& list, RenameFileSystem& fileSystem,
                           MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), list_(list), messages_(messages), namer_(list, fileSystem) {
    setUpRuleDialog(*this, QStringLiteral("TfrmDateName"), tr("按拍摄日期命名"), clientSize);
    buildRuleGroup();
    addPreviewGroup(*this, 86, lvPreview_, lbProblem_);
    addRuleButtons(*this, ok_, cancel_);
    lePattern_->setText(QString::fromUtf8(defaultPattern));
    connect(lePattern_, &QLineEdit::textChanged, this, &TfrmDateName::updatePreview);
    updatePreview();
    centreOnDesktop(*this);
}

void TfrmDateName::buildRuleGroup() {
    auto* group = new QGroupBox(tr("命名规则"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setGeometry(8, 8, 304, 70);
    lePattern_ =
        addRuleField(group, QStringLiteral("lePattern"), tr("格式"), {fieldLeft, 16}, fieldWidth);
    auto* codes = new QLabel(tr("%Y 年  %m 月  %d 日  %H 时  %M 分  %S 秒"), group);
    codes->setObjectName(QStringLiteral("lbCodes"));
    codes->move(fieldLeft, 44);
    codes->adjustSize();
}

std::string TfrmDateName::pattern() const {
    return lePattern_->text().toStdString();
}

void TfrmDateName::setPattern(const std::string& pattern) {
    lePattern_->setText(QString::fromStdString(pattern));
}

void TfrmDateName::updatePreview() {
    showProblem(*lbProblem_, {});
    std::map<int, std::string> named;
    try {
        const DateNames result = namer_.names(DatePattern(pattern()), NamePreview::rows);
        for (const NumberedName& entry : result.names)
            named.emplace(entry.row, entry.name);
    } catch (const DatePatternError& error) {
        showProblem(*lbProblem_, QString::fromStdString(error.what()));
    }
    QList<QPair<QString, QString>> pairs;
    const int last = std::min(NamePreview::rows, list_.RowCount() - 1);
    for (int row = 1; row <= last; ++row) {
        const auto found = named.find(row);
        const QString shown = found != named.end() ? shownFileName(list_, row, found->second)
                              : lbProblem_->text().isEmpty() ? tr("（没有拍摄日期）")
                                                             : tr("（不变）");
        pairs.append({shownFileName(list_, row, list_.getCell(RenameList::OldName, row)), shown});
    }
    lvPreview_->showPairs(pairs);
}

void TfrmDateName::accept() {
    try {
        DatePattern check(pattern());
    } catch (const DatePatternError& error) {
        messages_.information(this, tr("提示"), QString::fromStdString(error.what()));
        return;
    }
    QDialog::accept();
}

} // namespace quorbel

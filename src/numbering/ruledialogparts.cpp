// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbering/ruledialogparts.h"

#include "numbering/namepreview.h"
#include "platform/captionedframes.h"
#include "platform/dialogfont.h"
#include "renamelist/renamelist.h"

#include <QCoreApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace quorbel {
namespace {

constexpr int fieldHeight = 21;
constexpr int buttonWidth = 75;
constexpr int buttonHeight = 25;
constexpr int buttonEdge = 13; // from the dialog's right edge

} // namespace

void setUpRuleDialog(QDialog& dialog, const QString& objectName, const QString& title,
                     QSize clientSize) {
    dialog.setObjectName(objectName);
    dialog.setWindowTitle(title);
    dialog.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                          Qt::WindowCloseButtonHint);
    dialog.setFont(dialogFont());
    useCaptionedFrames(dialog);
    dialog.setFixedSize(clientSize);
}

QLineEdit* addRuleField(QWidget* parent, const QString& name, const QString& label, QPoint at,
                        int width) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(at.x(), at.y(), width, fieldHeight);
    auto* caption = new QLabel(label, parent);
    caption->adjustSize();
    caption->move(at.x() - caption->width() - 3, at.y() + (fieldHeight - caption->height()) / 2);
    caption->setBuddy(edit);
    return edit;
}

void addRuleButtons(QDialog& dialog, QPushButton*& ok, QPushButton*& cancel) {
    const int left = dialog.width() - buttonEdge - buttonWidth;
    ok = new QPushButton(dialog.style()->standardIcon(QStyle::SP_DialogOkButton),
                         QCoreApplication::translate("RuleDialog", "确定"), &dialog);
    ok->setObjectName(QStringLiteral("bbtnOK"));
    ok->setGeometry(left, 16, buttonWidth, buttonHeight);
    cancel = new QPushButton(dialog.style()->standardIcon(QStyle::SP_DialogCancelButton),
                             QCoreApplication::translate("RuleDialog", "放弃"), &dialog);
    cancel->setObjectName(QStringLiteral("bbtnCancel"));
    cancel->setGeometry(left, 56, buttonWidth, buttonHeight);
    for (QPushButton* button : {ok, cancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
}

QGroupBox* addPreviewGroup(QDialog& dialog, int top, NamePreview*& preview, QLabel*& problem) {
    auto* group = new QGroupBox(QCoreApplication::translate("RuleDialog", "预览"), &dialog);
    group->setObjectName(QStringLiteral("GroupBox2"));
    group->setGeometry(8, top, dialog.width() - 16, 182);
    preview = new NamePreview(group);
    preview->setObjectName(QStringLiteral("lvPreview"));
    preview->setGeometry(8, 16, group->width() - 16, 124);
    problem = new QLabel(group);
    problem->setObjectName(QStringLiteral("lbProblem"));
    // Two lines: the longest messages name every code of the pattern.
    problem->setGeometry(8, 144, group->width() - 16, 30);
    problem->setWordWrap(true);
    problem->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    problem->setStyleSheet(QStringLiteral("color: #b00000"));
    return group;
}

void showProblem(QLabel& problem, const QString& text) {
    problem.setText(text);
    problem.setToolTip(text);
}

QString shownFileName(const RenameList& list, int row, const std::string& name) {
    return QString::fromStdString(name + list.getCell(RenameList::Extension, row));
}

} // namespace quorbel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbering/namereplacer.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quorbel {

class MessageBoxes;
class NamePreview;
class RenameList;

// The find and replace dialog: the rule, and a preview of the first rows'
// new names that follows every key the user types. OK with a rule that
// cannot be used says why and keeps the dialog open; the command reads the
// rule once the dialog closed with OK.
class TfrmReplace : public QDialog {
    Q_OBJECT
public:
    TfrmReplace(const RenameList& list, MessageBoxes& messages, QWidget* parent = nullptr);

    ReplaceRule rule() const;
    void setRule(const ReplaceRule& rule);

    QLineEdit* leFind() const { return leFind_; }
    QLineEdit* leReplace() const { return leReplace_; }
    QCheckBox* ckbRegex() const { return ckbRegex_; }
    QCheckBox* ckbIgnoreCase() const { return ckbIgnoreCase_; }
    NamePreview* lvPreview() const { return lvPreview_; }
    QLabel* lbProblem() const { return lbProblem_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    void accept() override;

private:
    void buildRuleGroup();
    void buildButtons();
    void updatePreview();

    const RenameList& list_;
    MessageBoxes& messages_;
    QLineEdit* leFind_ = nullptr;
    QLineEdit* leReplace_ = nullptr;
    QCheckBox* ckbRegex_ = nullptr;
    QCheckBox* ckbIgnoreCase_ = nullptr;
    NamePreview* lvPreview_ = nullptr;
    QLabel* lbProblem_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace quorbel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbering/datenamer.h"

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quorbel {

class MessageBoxes;
class NamePreview;
class RenameFileSystem;
class RenameList;

// The dialog of naming by the date taken: the pattern, and a preview of the
// first rows' new names that follows every key the user types. The dates of
// the previewed rows are read once, when the dialog opens, and kept in its
// namer, which the command then uses for the whole list.
class TfrmDateName : public QDialog {
    Q_OBJECT
public:
    TfrmDateName(const RenameList& list, RenameFileSystem& fileSystem, MessageBoxes& messages,
                 QWidget* parent = nullptr);

    std::string pattern() const;
    void setPattern(const std::string& pattern);
    DateNamer& namer() { return namer_; }

    QLineEdit* lePattern() const { return lePattern_; }
    NamePreview* lvPreview() const { return lvPreview_; }
    QLabel* lbProblem() const { return lbProblem_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    void accept() override;

    // What the pattern field holds the first time.
    static constexpr const char* defaultPattern = "%Y%m%d_%H%M%S";

private:
    void buildRuleGroup();
    void updatePreview();

    const RenameList& list_;
    MessageBoxes& messages_;
    DateNamer namer_;
    QLineEdit* lePattern_ = nullptr;
    NamePreview* lvPreview_ = nullptr;
    QLabel* lbProblem_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace quorbel

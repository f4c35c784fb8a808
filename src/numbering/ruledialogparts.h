// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

#include <string>

class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace quorbel {

class NamePreview;
class RenameList;

// What the rule dialogs share with the numbering dialog: its window, its
// fields and its two buttons.
void setUpRuleDialog(QDialog& dialog, const QString& objectName, const QString& title,
                     QSize clientSize);
QLineEdit* addRuleField(QWidget* parent, const QString& name, const QString& label, QPoint at,
                        int width);
// OK and Cancel at the dialog's right edge, neither of them the default, so
// that Enter in a field does not close the dialog.
void addRuleButtons(QDialog& dialog, QPushButton*& ok, QPushButton*& cancel);

// The group "预览" across the dialog's width from top: the first rows' old
// and new names, and under them a red line that says what is wrong with the
// rule, when something is.
QGroupBox* addPreviewGroup(QDialog& dialog, int top, NamePreview*& preview, QLabel*& problem);
void showProblem(QLabel& problem, const QString& text);

// A row's file name as the preview shows it: the name and the extension.
QString shownFileName(const RenameList& list, int row, const std::string& name);

} // namespace quorbel

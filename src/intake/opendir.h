// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace quorbel {

class FileDialogs;
class FilterComboBox;
class MessageBoxes;

// "选择目录": a folder picked with the folder browser and a type from the filter
// box; the command scans that folder once the dialog closed with OK.
class TfrmDir : public QDialog {
    Q_OBJECT
public:
    TfrmDir(FileDialogs& files, MessageBoxes& messages, QWidget* parent = nullptr);

    // The folder text exactly as the edit holds it.
    std::string folderText() const;
    // The chosen entry's pattern.
    std::string mask() const;

    // As a confirmed browse leaves the dialog: the folder in the edit with a
    // "/" at its end, and OK enabled for good.
    void chooseFolder(QString folder);

    void SpeedButton1Click();
    void sbtAddExClick();

private:
    QWidget* buildFolderRow();
    QWidget* buildButtons();
    QWidget* buildFormatFrame();
    void guarded(const std::function<void()>& handler);

    FileDialogs& files_;
    MessageBoxes& messages_;
    QLineEdit* ledtDir_ = nullptr;
    QToolButton* speedButton1_ = nullptr;
    QPushButton* bbtnOk_ = nullptr;
    QPushButton* bitBtn2_ = nullptr;
    FilterComboBox* fcbFilt_ = nullptr;
    QLineEdit* ledtUser_ = nullptr;
    QPushButton* sbtAddEx_ = nullptr;
};

} // namespace quorbel

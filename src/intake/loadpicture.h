// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

namespace quorbel {

class DirectoryListBox;
class FileListBox;
class FilterComboBox;
class ImageBox;
class MessageBoxes;

// "调入图像": walk drives and folders, narrow the file list by type, preview
// pictures and select any number of files of one folder.
class TfrmLoadPic : public QDialog {
    Q_OBJECT
public:
    TfrmLoadPic(MessageBoxes& messages, QWidget* parent = nullptr);

    // The selected files' full paths in the order the file list shows them.
    std::vector<std::string> selectedPaths() const;

    void AllowDoOK();
    void NotAllowDoOK();
    void viewPic(const std::string& path);

    void flbFileListClick();
    void ckbSelTypeClick();
    void sbtAddAllClick();
    void fcbFiltChange();
    void dlbFoldListChange();
    void sbtAddExClick();

    QString statusText() const;

private:
    QWidget* buildLeftColumn();
    QWidget* buildMiddleColumn();
    QWidget* buildFormatFrame();
    QWidget* buildRightColumn();
    QWidget* buildPreviewFrame();
    void fillDrives();
    void showDriveOf(const QString& directory);
    void connectEvents();
    void guarded(const std::function<void()>& handler);

    MessageBoxes& messages_;
    QComboBox* dcbDirver_ = nullptr;
    DirectoryListBox* dlbFoldList_ = nullptr;
    FileListBox* flbFileList_ = nullptr;
    QCheckBox* ckbSelType_ = nullptr;
    FilterComboBox* fcbFilt_ = nullptr;
    QLineEdit* ledtUser_ = nullptr;
    QPushButton* sbtAddEx_ = nullptr;
    QPushButton* sbtAddAll_ = nullptr;
    ImageBox* imgView_ = nullptr;
    QLabel* lbInfo_ = nullptr;
    QCheckBox* ckbViewPic_ = nullptr;
    QPushButton* bbtnOk_ = nullptr;
    QPushButton* bbtnCancel_ = nullptr;
    QStatusBar* sbInfo_ = nullptr;
    QLabel* sbInfoText_ = nullptr;
};

} // namespace quorbel

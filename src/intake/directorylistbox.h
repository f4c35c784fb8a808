// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>
#include <QString>

namespace quorbel {

class FileListBox;

// The chooser's folder walker: the path from the root down to the current
// directory, then that directory's sub-directories. Activating an entry
// (double-click or Enter) asks for it through entryActivated; setDirectory
// moves there, hands the new directory to the linked file list first and then
// raises directoryChanged.
class DirectoryListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DirectoryListBox(QWidget* parent = nullptr);

    void setFileList(FileListBox* fileList) { fileList_ = fileList; }
    // Throws when the directory cannot be entered; nothing changes then. The
    // directory that is already current is no change: nothing is raised.
    void setDirectory(const QString& directory);
    const QString& directory() const { return directory_; }

signals:
    void entryActivated(const QString& directory);
    void directoryChanged();

protected:
    // Enter acts on the entry and ends there: passed on, it would press the
    // dialog's default button even after entering the folder failed.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void rebuild();

    QString directory_;
    FileListBox* fileList_ = nullptr;
};

} // namespace quorbel

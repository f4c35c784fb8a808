// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

#include <string>
#include <vector>

namespace quorbel {

class FileListBox;

// A drop-down list built from an extension pattern list; it shows the captions
// and gives its linked file list the chosen entry's pattern as mask.
class FilterComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit FilterComboBox(QWidget* parent = nullptr);

    void setFileList(FileListBox* fileList) { fileList_ = fileList; }

    // A text that differs (without regard to case) rebuilds the entries, chooses
    // the first, sets the file list's mask and raises filterChanged.
    void setFilter(const std::string& patternList);
    const std::string& filter() const { return filter_; }

    // The chosen entry's pattern; the last entry when none is chosen, "*.*"
    // when there are no entries.
    std::string mask();

    // The user chose an entry: its pattern becomes the file list's mask.
    void chooseEntry(int index);

signals:
    void filterChanged();

private:
    std::string filter_;
    std::vector<std::string> patterns_;
    FileListBox* fileList_ = nullptr;
};

} // namespace quorbel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>

#include <string>
#include <vector>

namespace quorbel {

// The chooser's file list: the files of one directory that match a mask,
// always multi-select. Only the user's own mouse and key input raises
// userSelectionChanged; re-reading and selecting all from the program do not.
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    // Both re-read the list (clearing the selection) only when the value
    // differs: the directory compared without regard to case, the mask exactly.
    // Throw when the directory cannot be read; the list then keeps its state.
    void setDirectory(const std::string& directory);
    void setMask(const std::string& mask);
    const std::string& directory() const { return directory_; }
    const std::string& mask() const { return mask_; }

    // Extended: click selects one, Shift a range, Ctrl toggles. Otherwise each
    // click toggles. Switching re-reads the list.
    void setExtendedSelect(bool extended);
    bool extendedSelect() const { return extended_; }

    std::string itemName(int index) const;
    bool isItemSelected(int index) const;
    int selectedCount() const;
    void selectAllItems();

    // Directory + "/" + name of the focused item when it is selected, else "".
    std::string currentFilePath() const;

signals:
    void userSelectionChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showNames(const std::vector<std::string>& names);
    template <typename Handler> void watchUserInput(Handler&& handler);

    std::string directory_;
    std::string mask_;
    bool extended_ = true;
    bool programChange_ = false;
    bool selectionTouched_ = false;
};

} // namespace quorbel

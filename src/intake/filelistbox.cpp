// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/filelistbox.h"

#include "global/findfiles.h"

#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>

namespace quorbel {
namespace {

constexpr int NameRole = Qt::UserRole;

} // namespace

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!programChange_)
            selectionTouched_ = true;
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (!programChange_)
            selectionTouched_ = true;
    });
}

void FileListBox::setDirectory(const std::string& directory) {
    // Letter case tells directories apart here, so only an identical path is the same.
    if (directory == directory_)
        return;
    const std::vector<std::string> names = findFiles(directory, mask_);
    directory_ = directory;
    showNames(names);
}

void FileListBox::setMask(const std::string& mask) {
    if (mask == mask_)
        return;
    const std::vector<std::string> names =
        directory_.empty() ? std::vector<std::string>{} : findFiles(directory_, mask);
    mask_ = mask;
    showNames(names);
}

void FileListBox::setExtendedSelect(bool extended) {
    const std::vector<std::string> names =
        directory_.empty() ? std::vector<std::string>{} : findFiles(directory_, mask_);
    extended_ = extended;
    setSelectionMode(extended ? QAbstractItemView::ExtendedSelection
                              : QAbstractItemView::MultiSelection);
    showNames(names);
}

void FileListBox::showNames(const std::vector<std::string>& names) {
    programChange_ = true;
    clear();
    for (const std::string& name : names) {
        auto* item = new QListWidgetItem(QFile::decodeName(QByteArray::fromStdString(name)));
        item->setData(NameRole, QByteArray::fromStdString(name));
        addItem(item);
    }
    programChange_ = false;
}

std::string FileListBox::itemName(int index) const {
    return item(index)->data(NameRole).toByteArray().toStdString();
}

bool FileListBox::isItemSelected(int index) const {
    return item(index)->isSelected();
}

int FileListBox::selectedCount() const {
    return static_cast<int>(selectedItems().size());
}

void FileListBox::selectAllItems() {
    programChange_ = true;
    selectAll();
    programChange_ = false;
}

std::string FileListBox::currentFilePath() const {
    const QListWidgetItem* focused = currentItem();
    if (!focused || !focused->isSelected())
        return {};
    const std::string separator = directory_.ends_with('/') ? "" : "/";
    return directory_ + separator + focused->data(NameRole).toByteArray().toStdString();
}

// A press, drag, release or key may or may not change the selection or focus;
// the event is raised once per input, and only when something changed.
template <typename Handler> void FileListBox::watchUserInput(Handler&& handler) {
    selectionTouched_ = false;
    handler();
    if (selectionTouched_) {
        selectionTouched_ = false;
        emit userSelectionChanged();
    }
}

void FileListBox::mousePressEvent(QMouseEvent* event) {
    watchUserInput([&] { QListWidget::mousePressEvent(event); });
}

void FileListBox::mouseMoveEvent(QMouseEvent* event) {
    watchUserInput([&] { QListWidget::mouseMoveEvent(event); });
}

void FileListBox::mouseReleaseEvent(QMouseEvent* event) {
    watchUserInput([&] { QListWidget::mouseReleaseEvent(event); });
}

void FileListBox::keyPressEvent(QKeyEvent* event) {
    watchUserInput([&] { QListWidget::keyPressEvent(event); });
}

} // namespace quorbel

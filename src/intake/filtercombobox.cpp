// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/filtercombobox.h"

#include "intake/filelistbox.h"
#include "intake/patternlist.h"

#include <QSignalBlocker>

namespace quorbel {

FilterComboBox::FilterComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
}

void FilterComboBox::setFilter(const std::string& patternList) {
    if (QString::fromStdString(patternList)
            .compare(QString::fromStdString(filter_), Qt::CaseInsensitive) == 0)
        return;
    filter_ = patternList;
    patterns_.clear();
    {
        const QSignalBlocker blocker(this);
        clear();
        for (const PatternEntry& entry : parsePatternList(patternList)) {
            addItem(QString::fromStdString(entry.caption));
            patterns_.push_back(entry.pattern);
        }
        setCurrentIndex(patterns_.empty() ? -1 : 0);
    }
    if (fileList_)
        fileList_->setMask(mask());
    emit filterChanged();
}

std::string FilterComboBox::mask() {
    if (patterns_.empty())
        return "*.*";
    if (currentIndex() < 0) {
        const QSignalBlocker blocker(this);
        setCurrentIndex(count() - 1);
    }
    return patterns_[static_cast<size_t>(currentIndex())];
}

void FilterComboBox::chooseEntry(int index) {
    if (index < 0 || index >= count())
        return;
    {
        const QSignalBlocker blocker(this);
        setCurrentIndex(index);
    }
    if (fileList_)
        fileList_->setMask(mask());
    emit filterChanged();
}

} // namespace quorbel

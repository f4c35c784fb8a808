// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appicons.h"

#include <QApplication>
#include <QStyle>

#include <array>

// The icon's resource sits in a static library; naming it here keeps the
// linker from dropping it. Q_INIT_RESOURCE must be used outside any namespace.
static void initProgramIconResource() {
    Q_INIT_RESOURCE(programicon);
}

namespace quorbel {

QIcon appIcon(int index) {
    static constexpr std::array<QStyle::StandardPixmap, 13> icons{
        QStyle::SP_BrowserReload,          // 0 rename
        QStyle::SP_MessageBoxInformation,  // 1 about
        QStyle::SP_DialogOpenButton,       // 2 open files
        QStyle::SP_DialogCloseButton,      // 3 exit
        QStyle::SP_FileDialogDetailedView, // 4 mapping table
        QStyle::SP_FileDialogListView,     // 5 numbering
        QStyle::SP_DialogResetButton,      // 6 clear results
        QStyle::SP_DialogSaveButton,       // 7 save list
        QStyle::SP_DirOpenIcon,            // 8 open folder
        QStyle::SP_DialogApplyButton,      // 9 check before the run
        QStyle::SP_ArrowBack,              // 10 undo the last run
        QStyle::SP_FileDialogContentsView, // 11 find and replace
        QStyle::SP_FileDialogInfoView,     // 12 names from the date taken
    };
    if (index < 0 || index >= static_cast<int>(icons.size()))
        return {};
    return QApplication::style()->standardIcon(icons[static_cast<size_t>(index)]);
}

// The same picture the desktop shows for the installed program.
QIcon programIcon() {
    initProgramIconResource();
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace quorbel

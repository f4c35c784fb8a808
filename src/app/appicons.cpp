#include "app/appicons.h"

#include <QApplication>
#include <QStyle>

#include <array>

namespace quorbel {

QIcon appIcon(int index) {
    static constexpr std::array<QStyle::StandardPixmap, 9> icons{
        QStyle::SP_BrowserReload,          // 0 rename
        QStyle::SP_MessageBoxInformation,  // 1 about
        QStyle::SP_DialogOpenButton,       // 2 open files
        QStyle::SP_DialogCloseButton,      // 3 exit
        QStyle::SP_FileDialogDetailedView, // 4 mapping table
        QStyle::SP_FileDialogListView,     // 5 numbering
        QStyle::SP_DialogResetButton,      // 6 clear results
        QStyle::SP_DialogSaveButton,       // 7 save list
        QStyle::SP_DirOpenIcon,            // 8 open folder
    };
    if (index < 0 || index >= static_cast<int>(icons.size()))
        return {};
    return QApplication::style()->standardIcon(icons[static_cast<size_t>(index)]);
}

QIcon programIcon() {
    return QApplication::style()->standardIcon(QStyle::SP_FileIcon);
}

} // namespace quorbel

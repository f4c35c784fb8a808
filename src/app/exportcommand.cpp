// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/exportcommand.h"

#include "app/main.h"
#include "export/exportlist.h"
#include "platform/filedialogs.h"

#include <QApplication>
#include <QFile>

namespace quorbel {
namespace {

// The first entry is the one the dialog opens with.
const QList<SaveFilter>& workbookFilters() {
    static const QList<SaveFilter> filters{
        {QStringLiteral("EXCEL (*.xls)"), QStringLiteral("xls")},
        {QStringLiteral("EXCEL 2007 (*.xlsx)"), QStringLiteral("xlsx")},
    };
    return filters;
}

// The wait cursor goes away however the export ends.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// An extension the user typed decides; otherwise the file type picked.
ExportFormat formatFor(const std::string& path, int filterIndex) {
    if (const auto named = exportFormatOf(path))
        return *named;
    return filterIndex == 1 ? ExportFormat::Xlsx : ExportFormat::Xls;
}

} // namespace

QString replacedCellsStatusText(size_t cells) {
    return TfrmMain::tr("列表已保存,%1 个单元格中无法识别的字节已写为“�”").arg(cells);
}

void exportCommand(TfrmMain& main) {
    const SaveChoice choice =
        main.services().files->saveFileAs(&main, QString(), workbookFilters());
    if (choice.path.isEmpty())
        return;
    const std::string path = QFile::encodeName(choice.path).toStdString();
    const ExportFormat format = formatFor(path, choice.filterIndex);
    ExportResult result;
    {
        WaitCursor wait;
        checkExportTarget(main.renameList(), path, format);
        result = exportList(main.renameList(), path, format);
    }
    if (result.replacedCells > 0)
        main.setStatusText(replacedCellsStatusText(result.replacedCells));
}

} // namespace quorbel

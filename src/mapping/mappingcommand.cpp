#include "mapping/mappingcommand.h"

#include "app/main.h"
#include "mapping/applymapping.h"
#include "mapping/linkexcel.h"
#include "platform/dialogrunner.h"

namespace quorbel {
namespace {

// Ends the batch also when the lookup loop stops with an error, so the rows
// written before it are shown.
class UpdateBatch {
  public:
    explicit UpdateBatch(RenameList& list) : list_(list) { list_.beginUpdate(); }
    ~UpdateBatch() { list_.endUpdate(); }
    UpdateBatch(const UpdateBatch&) = delete;
    UpdateBatch& operator=(const UpdateBatch&) = delete;

  private:
    RenameList& list_;
};

} // namespace

void mappingCommand(TfrmMain& main) {
    const Services& services = main.services();
    // Destroying the dialog closes its workbook, on every path out of here.
    TfrmLinkExcel dialog(services, services.workbooks, &main);
    if (services.dialogs->run(dialog) != QDialog::Accepted || !dialog.ready())
        return;
    RenameList& list = main.renameList();
    int matches = 0;
    {
        UpdateBatch batch(list);
        matches = applyMapping(list, *dialog.table(), dialog.oldNameColumn(),
                               dialog.newNameColumn(), list.locale());
    }
    main.setStatusText(QStringLiteral("使用对应表对应 %1 个文件").arg(matches));
}

} // namespace quorbel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mappingcommand.h"

#include "app/main.h"
#include "mapping/applymapping.h"
#include "mapping/applyplate.h"
#include "mapping/linkexcel.h"
#include "mapping/mappingchoice.h"
#include "platform/dialogrunner.h"

namespace quorbel {

void mappingCommand(TfrmMain& main) {
    const Services& services = main.services();
    // Destroying the dialog closes its workbook, on every path out of here.
    TfrmLinkExcel dialog(services, services.workbooks, &main);
    if (services.dialogs->run(dialog) != QDialog::Accepted || !dialog.ready())
        return;
    RenameList& list = main.renameList();
    const int matches = dialog.plateChosen()
                            ? applyPlate(list, *dialog.chosenBlock(), list.locale())
                            : applyMapping(list, *dialog.table(), dialog.oldNameColumn(),
                                           dialog.newNameColumn(), list.locale());
    main.setStatusText(QString::fromStdString(mappedStatusText(matches)));
}

} // namespace quorbel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/numberingcommand.h"

#include "app/main.h"
#include "numbering/namegenerator.h"
#include "numbering/serialnub.h"
#include "numbering/spinfield.h"
#include "platform/dialogrunner.h"
#include "platform/messageboxes.h"

#include <QLineEdit>

#include <utility>

namespace quorbel {
namespace {

// The range runs from the first row to the last file row; the field values
// are set after the limits, as setting limits leaves the texts alone.
void prepareRange(TfrmSerial& dialog, int lastFileRow) {
    dialog.sedtE()->setMinValue(1);
    dialog.sedtB()->setMinValue(1);
    dialog.sedtB()->setMaxValue(lastFileRow);
    dialog.sedtE()->setMaxValue(lastFileRow);
    dialog.sedtE()->setValue(lastFileRow);
}

// The fields take the ordered range back, clamped as every assignment is.
void putRangeInOrder(TfrmSerial& dialog) {
    const std::int32_t first = dialog.sedtB()->value();
    const std::int32_t last = dialog.sedtE()->value();
    const RowRange range = orderedRange(first, last);
    if (range.first == first)
        return;
    dialog.sedtB()->setValue(range.first);
    dialog.sedtE()->setValue(range.last);
}

} // namespace

void numberingCommand(TfrmMain& main) {
    RenameList& list = main.renameList();
    const int lastFileRow = list.RowCount() - 1;
    TfrmSerial dialog(&main, list.locale().decimalSeparator);
    prepareRange(dialog, lastFileRow);
    if (main.services().dialogs->run(dialog) != QDialog::Accepted)
        return;
    putRangeInOrder(dialog);
    const std::string startText = dialog.leBN()->text().toStdString();
    const std::string prefix = dialog.leBC()->text().toStdString();
    std::optional<std::vector<NumberedName>> names =
        numberRows({prefix, startText, dialog.sedInc()->value(), dialog.sedtB()->value(),
                    dialog.sedtE()->value()},
                   lastFileRow);
    if (!names) {
        main.services().messages->information(
            &main, TfrmMain::tr("提示"), QString::fromUtf8(startNotIntegerMessage.text()));
        return;
    }
    writeNewNames(list, std::move(*names));
}

} // namespace quorbel

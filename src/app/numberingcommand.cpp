#include "app/numberingcommand.h"

#include "app/main.h"
#include "global/pathsplit.h"
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

void putRangeInOrder(TfrmSerial& dialog) {
    const std::int32_t first = dialog.sedtB()->value();
    const std::int32_t last = dialog.sedtE()->value();
    if (first <= last)
        return;
    dialog.sedtB()->setValue(last);
    dialog.sedtE()->setValue(first);
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
    const std::string startText = trimmed(dialog.leBN()->text().toStdString());
    const std::string prefix = trimmed(dialog.leBC()->text().toStdString());
    std::optional<std::vector<NumberedName>> names =
        generateNames({prefix, startText, dialog.sedInc()->value(), dialog.sedtB()->value(),
                       dialog.sedtE()->value(), lastFileRow});
    if (!names) {
        main.services().messages->information(&main, QStringLiteral("提示"),
                                              QStringLiteral("起始编号只允许数字"));
        return;
    }
    writeNewNames(list, std::move(*names));
}

} // namespace quorbel

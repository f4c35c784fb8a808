// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/openfilecommand.h"

#include "app/main.h"
#include "intake/loadpicture.h"
#include "platform/dialogrunner.h"

namespace quorbel {

void openFileCommand(TfrmMain& main) {
    TfrmLoadPic dialog(*main.services().messages, &main);
    if (main.services().dialogs->run(dialog) != QDialog::Accepted)
        return;
    main.fillGrid(dialog.selectedPaths());
}

} // namespace quorbel

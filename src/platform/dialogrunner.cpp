// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogrunner.h"

#include <QDialog>

namespace quorbel {

int ModalDialogRunner::run(QDialog& dialog) {
    return dialog.exec();
}

} // namespace quorbel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QDialog;

namespace quorbel {

// Every modal dialog is shown through this seam. The real one runs the dialog's
// own modal loop; a test gets the dialog, drives its widgets and returns the
// result, so no test ever blocks in exec().
class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    virtual int run(QDialog& dialog) = 0;
};

class ModalDialogRunner : public DialogRunner {
public:
    int run(QDialog& dialog) override;
};

} // namespace quorbel

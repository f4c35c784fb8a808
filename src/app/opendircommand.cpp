// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/opendircommand.h"

#include "app/main.h"
#include "intake/directoryscan.h"
#include "intake/opendir.h"
#include "platform/dialogrunner.h"
#include "platform/messageboxes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace quorbel {
namespace {

// A typed relative folder is taken from where the process stands now. The list
// must hold paths that still lead to the same files after the picture chooser
// has moved the working directory, or a later rename run would act elsewhere.
std::string anchored(const std::string& folder) {
    if (folder.starts_with('/'))
        return folder;
    std::string current = QFile::encodeName(QDir::currentPath()).toStdString();
    if (!current.ends_with('/'))
        current += '/';
    return current + folder;
}

void showPlain(TfrmMain& main, const std::string& text) {
    main.services().messages->plain(&main, QCoreApplication::applicationName(),
                                    QString::fromStdString(text));
}

} // namespace

void openDirCommand(TfrmMain& main, const QString& chosenFolder) {
    const Services& services = main.services();
    TfrmDir dialog(*services.files, *services.messages, &main);
    if (!chosenFolder.isEmpty())
        dialog.chooseFolder(chosenFolder);
    if (services.dialogs->run(dialog) != QDialog::Accepted)
        return;
    const std::string folder = dialog.folderText();
    if (folder.empty()) {
        showPlain(main, TfrmMain::tr("请选择目录").toStdString());
        return;
    }
    const std::string mask = dialog.mask();
    if (const std::optional<std::string> notice = singlePatternNotice(mask))
        showPlain(main, *notice);
    main.fillGrid(scanDirectory(anchored(folder), mask));
}

} // namespace quorbel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/filedialogs.h"

#include "platform/nameonlyiconprovider.h"

#include <QDir>
#include <QFileDialog>

namespace quorbel {

QString QtFileDialogs::openFile(QWidget* parent, const QString& title, const QString& filter,
                                const QString& defaultSuffix) {
    NameOnlyIconProvider icons;
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString QtFileDialogs::saveFile(QWidget* parent, const QString& title, const QString& filter,
                                const QString& defaultSuffix) {
    NameOnlyIconProvider icons;
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    // Replacing an existing file is asked for by the user's choice alone.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

SaveChoice QtFileDialogs::saveFileAs(QWidget* parent, const QString& title,
                                     const QList<SaveFilter>& filters) {
    QStringList names;
    for (const SaveFilter& filter : filters)
        names << filter.filter;
    NameOnlyIconProvider icons;
    QFileDialog dialog(parent, title);
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(names);
    if (!filters.isEmpty())
        dialog.setDefaultSuffix(filters.constFirst().defaultSuffix);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, &filters, &names](const QString& selected) {
                         const qsizetype index = names.indexOf(selected);
                         if (index >= 0)
                             dialog.setDefaultSuffix(filters.at(index).defaultSuffix);
                     });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const qsizetype index = names.indexOf(dialog.selectedNameFilter());
    return {dialog.selectedFiles().constFirst(), index < 0 ? 0 : static_cast<int>(index)};
}

// Opens at the user's home, the nearest thing to a desktop at the top of the
// namespace, and never where an earlier browse or the process happens to be.
QString QtFileDialogs::folder(QWidget* parent, const QString& title) {
    NameOnlyIconProvider icons;
    QFileDialog dialog(parent, title, QDir::homePath());
    dialog.setIconProvider(&icons);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace quorbel

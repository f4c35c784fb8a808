#include "platform/filedialogs.h"

#include <QFileDialog>

namespace quorbel {

QString QtFileDialogs::openFile(QWidget* parent, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

QString QtFileDialogs::saveFile(QWidget* parent, const QString& title, const QString& filter,
                                const QString& defaultSuffix) {
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    // Replacing an existing file is asked for by the user's choice alone.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString QtFileDialogs::folder(QWidget* parent, const QString& title) {
    return QFileDialog::getExistingDirectory(parent, title);
}

} // namespace quorbel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace quorbel {

// One file type a save dialog offers, in Qt's "Caption (*.a)" form, with the
// suffix added to a name the user types without one.
struct SaveFilter {
    QString filter;
    QString defaultSuffix;
};

// What the user chose in a save dialog: an empty path when cancelled, and the
// index of the file type selected when the dialog closed.
struct SaveChoice {
    QString path;
    int filterIndex = 0;
};

// Open, save and folder dialogs. An empty result means the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // filter uses Qt's "Caption (*.a *.b);;Other (*.c)" form. A name typed
    // without extension that names no file gets defaultSuffix, so "mapping"
    // finds mapping.xls.
    virtual QString openFile(QWidget* parent, const QString& title, const QString& filter,
                             const QString& defaultSuffix) = 0;
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                             const QString& defaultSuffix) = 0;
    // A save dialog offering several file types, the first one selected; the
    // default suffix follows the type the user picks. No question is asked
    // when the chosen file exists.
    virtual SaveChoice saveFileAs(QWidget* parent, const QString& title,
                                  const QList<SaveFilter>& filters) = 0;
    // The folder browser: folders only; the chosen folder's full path.
    virtual QString folder(QWidget* parent, const QString& title) = 0;
};

// Qt's file dialogs. The entries they list are told apart by name alone, so
// browsing never reads a file (see NameOnlyIconProvider).
class QtFileDialogs : public FileDialogs {
public:
    QString openFile(QWidget* parent, const QString& title, const QString& filter,
                     const QString& defaultSuffix) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                     const QString& defaultSuffix) override;
    SaveChoice saveFileAs(QWidget* parent, const QString& title,
                          const QList<SaveFilter>& filters) override;
    QString folder(QWidget* parent, const QString& title) override;
};

} // namespace quorbel

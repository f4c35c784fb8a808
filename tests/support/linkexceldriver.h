// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QDialog;
class QPushButton;

namespace quorbel::test {

class ScriptedFileDialogs;

// Drives the mapping-table dialog through its widgets, the way a user does:
// buttons are clicked and list entries picked from the opened drop-down.
class LinkExcelDriver {
public:
    LinkExcelDriver(QDialog& dialog, ScriptedFileDialogs& files);

    QComboBox* sheets() const { return sheets_; }
    QComboBox* oldNames() const { return oldNames_; }
    QComboBox* newNames() const { return newNames_; }
    QPushButton* ok() const { return ok_; }
    QPushButton* cancel() const { return cancel_; }

    // Presses "选择Excel表" with the open-file dialog answering path ("" cancels).
    void chooseFile(const QString& path);
    void chooseSheet(const QString& name) { choose(sheets_, name); }
    void chooseOld(const QString& name) { choose(oldNames_, name); }
    void chooseNew(const QString& name) { choose(newNames_, name); }
    // Opens the list's drop-down and clicks the entry at index.
    static void chooseAt(QComboBox* list, int index);
    static QStringList items(const QComboBox* list);

private:
    static void choose(QComboBox* list, const QString& name);

    ScriptedFileDialogs& files_;
    QComboBox* sheets_;
    QComboBox* oldNames_;
    QComboBox* newNames_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* getFile_;
};

} // namespace quorbel::test

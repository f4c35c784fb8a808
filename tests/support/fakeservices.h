// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dialogrunner.h"
#include "platform/filedialogs.h"
#include "platform/messageboxes.h"
#include "platform/services.h"
#include "platform/shellopener.h"

#include <QDialog>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace quorbel::test {

class RecordingShellOpener : public ShellOpener {
public:
    void open(const std::string& address) override { opened.push_back(address); }
    std::vector<std::string> opened;
};

struct ShownMessage {
    QString kind; // "error", "information", "warning", "plain" or "question"
    QString title;
    QString text;
};

class RecordingMessageBoxes : public MessageBoxes {
public:
    void error(QWidget*, const QString& title, const QString& text) override;
    void information(QWidget*, const QString& title, const QString& text) override;
    void warning(QWidget*, const QString& title, const QString& text) override;
    void plain(QWidget*, const QString& title, const QString& text) override;
    // Answers each question with the next queued answer, "no" when none is left.
    bool question(QWidget*, const QString& title, const QString& text) override;
    std::vector<ShownMessage> shown;
    std::deque<bool> answers;
};

// Answers each file dialog with the next queued path ("" for Cancel) and
// records what it was asked.
class ScriptedFileDialogs : public FileDialogs {
public:
    QString openFile(QWidget*, const QString& title, const QString& filter,
                     const QString& defaultSuffix) override;
    QString saveFile(QWidget*, const QString& title, const QString& filter,
                     const QString& defaultSuffix) override;
    SaveChoice saveFileAs(QWidget*, const QString& title,
                          const QList<SaveFilter>& filters) override;
    QString folder(QWidget*, const QString& title) override;

    std::deque<QString> answers;
    QStringList titles;
    // The file type each save dialog closes with; 0 (the first) when empty.
    std::deque<int> filterChoices;
    // Filters asked for; a multi-type save dialog's are joined by ";;".
    QStringList filters;
    QStringList suffixes;

private:
    QString next();
};

// Hands each dialog to the next queued script instead of a modal loop. The
// script drives the dialog's widgets and returns its result; with no script
// left the dialog is cancelled.
class ScriptedDialogRunner : public DialogRunner {
public:
    using Script = std::function<int(QDialog&)>;
    int run(QDialog& dialog) override;

    std::deque<Script> scripts;
    int runs = 0;
};

struct FakeServices {
    RecordingShellOpener shell;
    RecordingMessageBoxes messages;
    ScriptedFileDialogs files;
    ScriptedDialogRunner dialogs;
    WorkbookOpener workbooks;     // empty: the real readers
    QTemporaryDir stateDirectory; // the run's journal, never the user's own
    QTemporaryDir configDirectory; // the dialogs' settings, never the user's own
    ProgramLinks links;           // none, as a build that sets no address

    Services services() {
        Services result{&shell, &messages, &files, &dialogs, workbooks};
        result.journalDirectory = stateDirectory.path().toStdString();
        result.settingsFile =
            configDirectory.filePath(QStringLiteral("quorbel.conf")).toStdString();
        result.links = links;
        return result;
    }
};

} // namespace quorbel::test

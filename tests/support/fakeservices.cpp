// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fakeservices.h"

namespace quorbel::test {

void RecordingMessageBoxes::error(QWidget*, const QString& title, const QString& text) {
    shown.push_back({QStringLiteral("error"), title, text});
}

void RecordingMessageBoxes::information(QWidget*, const QString& title, const QString& text) {
    shown.push_back({QStringLiteral("information"), title, text});
}

void RecordingMessageBoxes::warning(QWidget*, const QString& title, const QString& text) {
    shown.push_back({QStringLiteral("warning"), title, text});
}

void RecordingMessageBoxes::plain(QWidget*, const QString& title, const QString& text) {
    shown.push_back({QStringLiteral("plain"), title, text});
}

bool RecordingMessageBoxes::question(QWidget*, const QString& title, const QString& text) {
    shown.push_back({QStringLiteral("question"), title, text});
    if (answers.empty())
        return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedFileDialogs::next() {
    if (answers.empty())
        return QString();
    QString answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedFileDialogs::openFile(QWidget*, const QString& title, const QString& filter,
                                      const QString& defaultSuffix) {
    titles << title;
    filters << filter;
    suffixes << defaultSuffix;
    return next();
}

QString ScriptedFileDialogs::saveFile(QWidget*, const QString& title, const QString& filter,
                                      const QString& defaultSuffix) {
    titles << title;
    filters << filter;
    suffixes << defaultSuffix;
    return next();
}

SaveChoice ScriptedFileDialogs::saveFileAs(QWidget*, const QString& title,
                                           const QList<SaveFilter>& offered) {
    titles << title;
    QStringList names;
    QStringList defaultSuffixes;
    for (const SaveFilter& filter : offered) {
        names << filter.filter;
        defaultSuffixes << filter.defaultSuffix;
    }
    filters << names.join(QStringLiteral(";;"));
    suffixes << defaultSuffixes.join(QStringLiteral(";;"));
    SaveChoice choice{next(), 0};
    if (!filterChoices.empty()) {
        choice.filterIndex = filterChoices.front();
        filterChoices.pop_front();
    }
    return choice;
}

QString ScriptedFileDialogs::folder(QWidget*, const QString& title) {
    titles << title;
    return next();
}

int ScriptedDialogRunner::run(QDialog& dialog) {
    ++runs;
    if (scripts.empty())
        return QDialog::Rejected;
    Script script = std::move(scripts.front());
    scripts.pop_front();
    return script(dialog);
}

} // namespace quorbel::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/namerulecommands.h"

#include "app/main.h"
#include "numbering/datenamedialog.h"
#include "numbering/replacedialog.h"
#include "platform/dialogrunner.h"
#include "platform/posixfilesystem.h"
#include "platform/settingsfile.h"

#include <QApplication>

#include <utility>

namespace quorbel {
namespace {

const QString findKey = QStringLiteral("replace/find");
const QString replacementKey = QStringLiteral("replace/replacement");
const QString regexKey = QStringLiteral("replace/regex");
const QString ignoreCaseKey = QStringLiteral("replace/ignoreCase");
const QString patternKey = QStringLiteral("dateName/pattern");

std::string stored(const QSettings& settings, const QString& key, const char* otherwise = "") {
    return settings.value(key, QString::fromUtf8(otherwise)).toString().toStdString();
}

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

void replaceCommand(TfrmMain& main) {
    const Services& services = main.services();
    RenameList& list = main.renameList();
    const std::unique_ptr<QSettings> settings = openSettings(services.settingsFile);
    TfrmReplace dialog(list, *services.messages, &main);
    dialog.setRule({stored(*settings, findKey), stored(*settings, replacementKey),
                    settings->value(regexKey, false).toBool(),
                    settings->value(ignoreCaseKey, false).toBool()});
    if (services.dialogs->run(dialog) != QDialog::Accepted)
        return;
    const ReplaceRule rule = dialog.rule();
    settings->setValue(findKey, fromUtf8(rule.find));
    settings->setValue(replacementKey, fromUtf8(rule.replacement));
    settings->setValue(regexKey, rule.regex);
    settings->setValue(ignoreCaseKey, rule.ignoreCase);
    // Every name is made before the first is written, so a rule that fails
    // on some name leaves the list as it was.
    NameReplacer replacer(rule);
    ReplacedNames result = replaceNames(list, replacer);
    const std::string status = replacedStatusText(result);
    writeNewNames(list, std::move(result.names));
    main.setStatusText(QString::fromStdString(status));
}

void dateNameCommand(TfrmMain& main) {
    const Services& services = main.services();
    RenameList& list = main.renameList();
    const std::unique_ptr<QSettings> settings = openSettings(services.settingsFile);
    RenameFileSystem& fileSystem = services.fileSystem ? *services.fileSystem : posixFileSystem();
    TfrmDateName dialog(list, fileSystem, *services.messages, &main);
    dialog.setPattern(stored(*settings, patternKey, TfrmDateName::defaultPattern));
    if (services.dialogs->run(dialog) != QDialog::Accepted)
        return;
    settings->setValue(patternKey, fromUtf8(dialog.pattern()));
    DateNames result;
    {
        const WaitCursor busy;
        result = dialog.namer().names(DatePattern(dialog.pattern()));
    }
    const std::string status = dateNamedStatusText(result);
    writeNewNames(list, std::move(result.names));
    main.setStatusText(QString::fromStdString(status));
}

} // namespace quorbel

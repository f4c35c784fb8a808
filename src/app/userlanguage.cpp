// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/userlanguage.h"

#include "app/qttranslations.h"

#include <QCoreApplication>
#include <QTranslator>

namespace quorbel {

Language chooseUserLanguage(const QLocale& system, const QByteArray& quorbelLang) {
    if (const auto named = languageNamed(quorbelLang.toStdString()))
        return *named;
    return system.language() == QLocale::Chinese ? Language::Chinese : Language::English;
}

Language installUserLanguage(QCoreApplication& app) {
    const QLocale system = QLocale::system();
    const Language language = chooseUserLanguage(system, qgetenv("QUORBEL_LANG"));
    setCoreLanguage(language);
    if (language == Language::Chinese) {
        // The window's texts are written in Chinese: nothing to load for them.
        installQtTranslations(app, system.language() == QLocale::Chinese
                                       ? system
                                       : QLocale(QLocale::Chinese, QLocale::China));
        return language;
    }
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral(":/i18n/quorbel_en.qm")))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
    // Qt's dialogs follow the desktop, but never in Chinese beside an English window.
    if (system.language() != QLocale::Chinese)
        installQtTranslations(app, system);
    return language;
}

} // namespace quorbel

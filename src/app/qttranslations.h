// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

class QCoreApplication;

namespace quorbel {

// Loads Qt's own translations (qtbase) for the locale into the application, so the
// standard dialogs and message-box buttons speak the user's language; the
// program's own texts have their own catalogue (installUserLanguage).
// False when Qt has no translation for the locale; Qt then stays in English.
bool installQtTranslations(QCoreApplication& app, const QLocale& locale = QLocale::system());

} // namespace quorbel

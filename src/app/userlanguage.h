// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/coretext.h"

#include <QByteArray>
#include <QLocale>

class QCoreApplication;

namespace quorbel {

// The window's language: QUORBEL_LANG ("zh" or "en") when it names one,
// otherwise Chinese on a Chinese desktop and English on every other, the C
// locale included.
Language chooseUserLanguage(const QLocale& system, const QByteArray& quorbelLang);

// Chooses the language from the system locale and the environment, and makes
// the whole program speak it: the window's translation, Qt's own dialogs and
// the core's texts. Returns the language chosen.
Language installUserLanguage(QCoreApplication& app);

} // namespace quorbel

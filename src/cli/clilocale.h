// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/coretext.h"
#include "global/localeformat.h"

namespace quorbel {

// The number and short-date conventions of the user's locale (LC_NUMERIC,
// LC_TIME), as the window reads them from the system, so mapped numbers and
// dates read the same from the command line.
LocaleFormat environmentLocaleFormat();

// The language of messages, read as gettext reads it: the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty; Chinese for zh_*, English for
// anything else and for none. QUORBEL_LANG ("zh" or "en") overrides that,
// except that LC_ALL=C (or POSIX) always gives English: scripts set it to get
// words that never change. Null stands for an unset variable.
Language messageLanguage(const char* lcAll, const char* lcMessages, const char* lang,
                         const char* quorbelLang);
// The same from this process's environment.
Language environmentLanguage();

} // namespace quorbel

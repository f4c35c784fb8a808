#pragma once

#include "global/localeformat.h"

namespace quorbel {

// The number and short-date conventions of the user's locale (LC_NUMERIC,
// LC_TIME), as the window reads them from the system, so mapped numbers and
// dates read the same from the command line.
LocaleFormat environmentLocaleFormat();

} // namespace quorbel

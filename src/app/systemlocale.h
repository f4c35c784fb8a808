// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/localeformat.h"

namespace quorbel {

// Reads the system locale's separators and short-date order once, at start.
LocaleFormat systemLocaleFormat();

} // namespace quorbel

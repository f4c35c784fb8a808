// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quorbel {

// Appends one character as UTF-8. A surrogate or a value beyond U+10FFFF is no
// character and becomes U+FFFD, so what is written is always valid UTF-8.
void appendUtf8(std::string& out, char32_t code);

} // namespace quorbel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/addresses.h"
#include "platform/services.h"

#include <string>

namespace quorbel::links {

// The addresses this build was configured with (QUORBEL_HOMEPAGE_URL,
// QUORBEL_FAQ_URL, QUORBEL_MAIL_ADDRESS); a packager sets them, and a build
// without them has no links at all rather than invented ones.
inline ProgramLinks configured() {
    return {::quorbel::configured::homePage, ::quorbel::configured::secondPage,
            ::quorbel::configured::mailAddress};
}

// What the shell is handed to start the user's mail program.
inline std::string mailLink(const std::string& address) {
    return "Mailto:" + address;
}

} // namespace quorbel::links

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>

#include <memory>
#include <string>

namespace quorbel {

// What the dialogs remember from one use to the next: the user's Quorbel
// settings ($XDG_CONFIG_HOME/quorbel/quorbel.conf), or the file a test names.
std::unique_ptr<QSettings> openSettings(const std::string& file);

} // namespace quorbel

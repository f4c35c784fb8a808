// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settingsfile.h"

namespace quorbel {

std::unique_ptr<QSettings> openSettings(const std::string& file) {
    if (file.empty())
        return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                           QStringLiteral("quorbel"), QStringLiteral("quorbel"));
    return std::make_unique<QSettings>(QString::fromStdString(file), QSettings::IniFormat);
}

} // namespace quorbel

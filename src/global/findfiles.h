// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

// The names (without directory) of the files in a directory that match the
// mask, as a file list shows them: each pattern of the mask in turn, so a file
// matched by two patterns appears twice; directories and hidden entries (names
// starting with ".") left out; sorted without regard to case.
// Throws std::filesystem::filesystem_error when the directory cannot be read.
std::vector<std::string> findFiles(const std::string& directory, std::string_view mask);

// Orders file names as the list shows them: letters compared without regard to
// case, then byte for byte so that equal-looking names keep a fixed order.
bool fileNameLess(std::string_view a, std::string_view b);

} // namespace quorbel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/coretext.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

class CaseBlindCollation;

// The full paths of the files of one folder (not its sub-folders) that the mask
// selects, sorted without regard to case in the collation's order, byte order
// breaking ties. The mask is one or more patterns joined by ";":
// - "*.ext" with a lower-case ext and no wildcard or dot in it takes the files
//   whose last extension is ".ext" once A to Z are lower-cased (Photo.JPG,
//   x.tar.jpg for "*.jpg");
// - any other pattern selects by the file list's wildcard rules ("*.*" every
//   file, "*.jp*", "*.JPG" in any case, a name without "*" that name alone).
// Only regular files and links to regular files are taken, never names
// starting with "." and never folders. Each file appears once. The paths are
// the folder, a "/" unless it already ends in one, and the name.
// An empty folder text, a missing folder or one that cannot be read gives an
// empty list.
std::vector<std::string> scanDirectory(const std::string& folder, std::string_view mask,
                                       const CaseBlindCollation& collation);

// The same in the collation of the process's current locale.
std::vector<std::string> scanDirectory(const std::string& folder, std::string_view mask);

// The text shown before the scan when the mask is a single pattern (it holds no
// ";"): the mask without its first character, ".ab1" for "*.ab1". A mask of
// several patterns shows nothing.
std::optional<std::string> singlePatternNotice(std::string_view mask);

// The directory dialog's filter list as every dialog starts with it.
extern const CoreText directoryPatternList;

} // namespace quorbel

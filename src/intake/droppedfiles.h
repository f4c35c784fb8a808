// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

class QMimeData;

namespace quorbel {

// What a drop from a file manager brings to the rename list, read from its
// text/uri-list and sorted out by what each path is on disk at the drop.
struct DroppedFiles {
    // Regular files and links to them, in the order the picture chooser's file
    // list shows names: folder by folder, each without regard to case.
    std::vector<std::string> files;
    // Folders as dropped, each ending in "/".
    std::vector<std::string> folders;
};

// Only local files count: remote addresses, plain text, paths that are gone
// and special files (devices, pipes, sockets) are left out. A path is the
// bytes its address names, so a name that is not UTF-8 survives unchanged.
DroppedFiles readDroppedFiles(const QMimeData& data);

} // namespace quorbel

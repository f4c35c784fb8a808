// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/posixfilesystem.h"

namespace quorbel {

// The POSIX file system whose sessions rename relative to directory handles
// (see DirectoryHandles): the kernel no longer walks every directory of a
// path for each rename, and each rename stays inside the directory its row
// named. Calls made by path go on exactly as in PosixFileSystem.
class HandleFileSystem : public PosixFileSystem {
public:
    std::unique_ptr<RenameSession> openSession() override;
};

} // namespace quorbel

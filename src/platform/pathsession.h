// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/renamefilesystem.h"

namespace quorbel {

// A session that joins each directory and name into one path and hands it on.
class PathSession : public RenameSession {
public:
    explicit PathSession(RenameFileSystem& fileSystem) : fs_(fileSystem) {}
    FsStatus rename(const std::string& directory, std::string_view name,
                    const std::string& newDirectory, std::string_view newName) override;
    DirectoryListing listDirectory(const std::string& directory) override;
    std::optional<FileIdentity> identify(const std::string& directory,
                                         std::string_view name) override;
    std::optional<DirectoryInodes> listInodes(const std::string& directory) override;

private:
    RenameFileSystem& fs_;
    std::string from_;
    std::string to_;
};

} // namespace quorbel

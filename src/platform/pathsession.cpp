// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pathsession.h"

namespace quorbel {

FsStatus PathSession::rename(const std::string& directory, std::string_view name,
                             const std::string& newDirectory, std::string_view newName) {
    from_.assign(directory).append(name);
    to_.assign(newDirectory).append(newName);
    return fs_.renameNoReplace(from_, to_);
}

DirectoryListing PathSession::listDirectory(const std::string& directory) {
    return fs_.listDirectory(directory);
}

std::optional<FileIdentity> PathSession::identify(const std::string& directory,
                                                  std::string_view name) {
    from_.assign(directory).append(name);
    return fs_.identify(from_);
}

std::optional<DirectoryInodes> PathSession::listInodes(const std::string& directory) {
    return fs_.listInodes(directory);
}

bool RenameSession::eachInode(const std::string& directory, std::uint64_t& device,
                              const InodeVisitor& visit) {
    const std::optional<DirectoryInodes> listing = listInodes(directory);
    if (!listing)
        return false;
    device = listing->device;
    const std::string_view names = listing->names;
    std::size_t offset = 0;
    for (const std::uint64_t inode : listing->inodes) {
        const std::size_t end = names.find('\0', offset);
        if (end == std::string_view::npos)
            return false;
        visit(names.substr(offset, end - offset), inode);
        offset = end + 1;
    }
    return true;
}

std::unique_ptr<RenameSession> RenameFileSystem::openSession() {
    return std::make_unique<PathSession>(*this);
}

} // namespace quorbel

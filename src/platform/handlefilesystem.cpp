// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/handlefilesystem.h"

#include "platform/directoryhandles.h"

#include <climits>

namespace quorbel {
namespace {

class HandleSession : public RenameSession {
public:
    explicit HandleSession(HandleFileSystem& fs) : fs_(fs) {}

    FsStatus rename(const std::string& directory, std::string_view name,
                    const std::string& newDirectory, std::string_view newName) override {
        if (!byHandle(directory, name) || !byHandle(newDirectory, newName))
            return byPath(directory, name, newDirectory, newName);
        const int from = handles_.handle(directory);
        const int to = newDirectory == directory ? from : handles_.handle(newDirectory);
        if (from == DirectoryHandles::replaced || to == DirectoryHandles::replaced)
            return FsStatus::SourceMissing;
        if (from < 0 || to < 0)
            return byPath(directory, name, newDirectory, newName);
        from_.assign(name);
        to_.assign(newName);
        const FsStatus status = fs_.renameNoReplaceAt(from, from_, to, to_);
        if (status == FsStatus::Ok)
            handles_.renamed(directory, name);
        return status;
    }

    DirectoryListing listDirectory(const std::string& directory) override {
        const int handle = handles_.handle(directory);
        if (handle == DirectoryHandles::replaced) {
            DirectoryListing listing;
            listing.status = FsStatus::SourceMissing;
            return listing;
        }
        return fs_.listDirectoryAt(handle, directory);
    }

    std::optional<FileIdentity> identify(const std::string& directory,
                                         std::string_view name) override {
        const int handle = byHandle(directory, name) ? handles_.handle(directory)
                                                     : DirectoryHandles::unreachable;
        if (handle == DirectoryHandles::replaced)
            return std::nullopt;
        from_.assign(name);
        if (handle < 0) {
            to_.assign(directory).append(name);
            return fs_.identify(to_);
        }
        if (from_.find('\0') != std::string::npos)
            return std::nullopt;
        return fs_.identifyAt(handle, from_.c_str());
    }

    std::optional<DirectoryInodes> listInodes(const std::string& directory) override {
        const int handle = handles_.handle(directory);
        if (handle == DirectoryHandles::replaced)
            return std::nullopt;
        return handle < 0 ? fs_.listInodes(directory) : fs_.listInodesAt(handle);
    }

    bool eachInode(const std::string& directory, std::uint64_t& device,
                   const InodeVisitor& visit) override {
        const int handle = handles_.handle(directory);
        if (handle == DirectoryHandles::replaced)
            return false;
        return handle < 0 ? fs_.eachInode(directory, device, visit)
                          : fs_.eachInodeAt(handle, device, visit);
    }

private:
    // A handle answers exactly as the path would for a plain name in a path
    // the kernel takes; anything else (an empty name, a name with a slash, a
    // path too long to pass) goes by path, which gives the refusal it always gave.
    static bool byHandle(const std::string& directory, std::string_view name) {
        return !name.empty() && name.find('/') == std::string_view::npos &&
               directory.size() + name.size() < PATH_MAX;
    }

    FsStatus byPath(const std::string& directory, std::string_view name,
                    const std::string& newDirectory, std::string_view newName) {
        from_.assign(directory).append(name);
        to_.assign(newDirectory).append(newName);
        const FsStatus status = fs_.renameNoReplace(from_, to_);
        if (status == FsStatus::Ok)
            handles_.renamed(directory, name);
        return status;
    }

    HandleFileSystem& fs_;
    DirectoryHandles handles_;
    std::string from_;
    std::string to_;
};

} // namespace

std::unique_ptr<RenameSession> HandleFileSystem::openSession() {
    return std::make_unique<HandleSession>(*this);
}

} // namespace quorbel

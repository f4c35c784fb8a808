// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/renamefilesystem.h"

namespace quorbel {

// Maps an errno value of a rename, link or stat call onto the run's statuses.
FsStatus statusFromErrno(int error);

// The POSIX file system. A rename needs write permission on the directory only,
// never on the file, so no permission bit is ever touched by a rename.
class PosixFileSystem : public RenameFileSystem {
public:
    bool renameNeedsWritable() const override { return false; }
    std::optional<FileAttributes> getAttributes(const std::string& path) override;
    FsStatus setAttributes(const std::string& path, const FileAttributes& attributes) override;
    FsStatus renameNoReplace(const std::string& from, const std::string& to) override;
    DirectoryListing listDirectory(const std::string& directory) override;
    ResolvedDirectory resolveDirectory(const std::string& directory) override;
    std::optional<FileIdentity> identify(const std::string& path) override;
    bool identifiesAlongside() const override;
    std::optional<DirectoryInodes> listInodes(const std::string& directory) override;

    // The same rename with each name relative to an open directory (AT_FDCWD:
    // the working directory), refused just the same and never replacing.
    FsStatus renameNoReplaceAt(int fromDirectory, const std::string& from, int toDirectory,
                               const std::string& to);
    // The listing of the directory open as handle (O_PATH will do), read
    // through it; path names it for the refusals a path would meet.
    DirectoryListing listDirectoryAt(int handle, const std::string& path);
    // The identity of name inside directory (a handle, or AT_FDCWD for a path).
    std::optional<FileIdentity> identifyAt(int directory, const char* name);
    // The inodes of the directory open as handle, read through it.
    std::optional<DirectoryInodes> listInodesAt(int handle);
    // The same, each name told to visit as it is read (see RenameSession).
    bool eachInode(const std::string& directory, std::uint64_t& device,
                   const RenameSession::InodeVisitor& visit);
    bool eachInodeAt(int handle, std::uint64_t& device, const RenameSession::InodeVisitor& visit);

protected:
    // The one atomic call; returns 0 or an errno value. Seams so tests can force
    // a file system that refuses the no-replace flag, or stop after k calls.
    virtual int renameExclusive(const char* from, const char* to);
    virtual int renameExclusiveAt(int fromDirectory, const char* from, int toDirectory,
                                  const char* to);

private:
    static bool readInodes(int fd, std::uint64_t& device, const RenameSession::InodeVisitor& visit);
    int exclusive(int fromDirectory, const char* from, int toDirectory, const char* to);
    FsStatus linkThenUnlink(int fromDirectory, const char* from, int toDirectory, const char* to);
    FsStatus renameThroughTemporary(int fromDirectory, const std::string& from, int toDirectory,
                                    const std::string& to);
};

// The instance the program uses when nothing else was handed in.
PosixFileSystem& posixFileSystem();

} // namespace quorbel

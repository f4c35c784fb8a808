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
    std::optional<DirectoryInodes> listInodes(const std::string& directory) override;

protected:
    // The one atomic call; returns 0 or an errno value. A seam so tests can force
    // a file system that refuses the no-replace flag.
    virtual int renameExclusive(const char* from, const char* to);

private:
    FsStatus linkThenUnlink(const char* from, const char* to);
    FsStatus renameThroughTemporary(const std::string& from, const std::string& to);
};

// The instance the program uses when nothing else was handed in.
PosixFileSystem& posixFileSystem();

} // namespace quorbel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

// Why a file-system call was refused, in the words the rename run reports.
enum class FsStatus {
    Ok,
    TargetExists,       // a file with the new path exists
    SourceMissing,      // the old file (or its directory) is not there
    AccessDenied,       // permission refused
    ReadOnlyFileSystem, // the volume is mounted read-only
    InvalidName,        // the file system refuses the name (too long, bad bytes)
    DiskFull,           // no space or quota left for the directory to grow
    SameFileLink,       // the new name is another hard link of the same file
    Refused             // any other refusal
};

// Which file a name stands for, taken without following a link at the name.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t links = 1;
    bool isDirectory = false;
    // Inside a sticky directory only the owner of a file (or of the directory)
    // may rename it.
    bool ownedByUser = true;
    // Immutable or append-only: no name of it may change.
    bool fixed = false;
    bool sameFileAs(const FileIdentity& other) const {
        return device == other.device && inode == other.inode;
    }
};

// The inode of every name in one directory, read in one pass: the names one
// after another, each ending in NUL, and their inodes in the same order.
struct DirectoryInodes {
    std::uint64_t device = 0;
    std::string names;
    std::vector<std::uint64_t> inodes;
};

// A directory as a run names it: absolute, every link and "." or ".." in it
// resolved, ending in "/". status says why it could not be resolved.
struct ResolvedDirectory {
    FsStatus status = FsStatus::Ok;
    std::string path;
};

// A file's attribute set as the platform keeps it. readOnly is the one mark the
// run reasons about; when setting, it wins over whatever bits say about it.
struct FileAttributes {
    std::uint32_t bits = 0;
    bool readOnly = false;
};

// What a check before the run needs to know of one directory, taken in one
// pass: its names, and what a rename inside it would run into besides them.
struct DirectoryListing {
    // Ok when the directory can be reached; otherwise what any rename inside
    // it runs into (it is missing, not a directory, or may not be searched).
    FsStatus status = FsStatus::Ok;
    // names holds every entry; otherwise a check asks about each name it needs.
    bool listed = false;
    std::vector<std::string> names; // every entry but "." and ".."
    // Two spellings of one directory ("/d/", "/d/./", a link) share these;
    // both 0 when unknown.
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    FsStatus search = FsStatus::Ok; // reaching names inside it
    FsStatus change = FsStatus::Ok; // adding and removing names
    std::size_t nameMax = 255;      // longest name, in bytes
    // Names that differ in ASCII letter case alone name one file here.
    bool foldsCase = false;
    // Sticky and owned by someone else: renaming a file here needs its owner.
    bool stickyForeign = false;
};

// The calls of one run, one check or one undo, named by directory and name. A
// session lasts for that one pass: whatever it learns of a directory (an open
// handle, say) must not outlive it, since the folders may change in between.
class RenameSession {
public:
    virtual ~RenameSession() = default;
    // directory + name to newDirectory + newName, refused with TargetExists
    // instead of ever replacing a file. A directory ends in "/" or is "".
    virtual FsStatus rename(const std::string& directory, std::string_view name,
                            const std::string& newDirectory, std::string_view newName) = 0;
    virtual DirectoryListing listDirectory(const std::string& directory) = 0;
    // The identity of directory + name, the link itself where name is one.
    virtual std::optional<FileIdentity> identify(const std::string& directory,
                                                 std::string_view name) = 0;
    virtual std::optional<DirectoryInodes> listInodes(const std::string& directory) = 0;
    // The same pass, each name told to visit as it is read instead of kept:
    // a folder of a million names then costs no copy of them. device is the
    // folder's. false when the folder could not be read whole; what visit was
    // told then proves nothing. The default reads listInodes.
    using InodeVisitor = std::function<void(std::string_view name, std::uint64_t inode)>;
    virtual bool eachInode(const std::string& directory, std::uint64_t& device,
                           const InodeVisitor& visit);
};

// The operations the rename run and its check need. None of them throws: every refusal
// comes back as a status, so one bad row never stops a run.
class RenameFileSystem {
public:
    virtual ~RenameFileSystem() = default;

    // Whether a read-only file must lose that mark before it can be renamed.
    // Where this is false the run never reads or writes attributes.
    virtual bool renameNeedsWritable() const = 0;
    virtual std::optional<FileAttributes> getAttributes(const std::string& path) = 0;
    virtual FsStatus setAttributes(const std::string& path, const FileAttributes& attributes) = 0;
    // Renames from to to; refuses with TargetExists instead of ever replacing a file.
    virtual FsStatus renameNoReplace(const std::string& from, const std::string& to) = 0;
    // Lists a directory ("" is the working directory). The default lists
    // nothing, so a check falls back to one attribute read per name it needs.
    virtual DirectoryListing listDirectory(const std::string& directory) {
        (void)directory;
        return {};
    }
    // Resolves a directory once per run ("" is the working directory). The
    // default keeps the spelling, for file systems without links.
    virtual ResolvedDirectory resolveDirectory(const std::string& directory) {
        return {FsStatus::Ok, directory};
    }
    // nullopt when the name cannot be reached; then no identity is recorded and
    // an undo never moves that row's file unless its rename was recorded.
    virtual std::optional<FileIdentity> identify(const std::string& path) {
        (void)path;
        return std::nullopt;
    }
    // Whether identify may be called from a second thread while the run
    // renames on its own, with a second processor to run it on. Where this
    // is false the run looks at its files itself, between its renames.
    virtual bool identifiesAlongside() const { return false; }
    // Where many files of one directory are renamed, one pass over it costs
    // less than a look at each. nullopt: ask identify for each file instead.
    virtual std::optional<DirectoryInodes> listInodes(const std::string& directory) {
        (void)directory;
        return std::nullopt;
    }
    // The default session joins directory and name and calls the methods
    // above, so a file system that knows no handles sees every call.
    virtual std::unique_ptr<RenameSession> openSession();
};

} // namespace quorbel

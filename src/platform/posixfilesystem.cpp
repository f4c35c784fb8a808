// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posixfilesystem.h"

#include "platform/handlefilesystem.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sched.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace quorbel {
namespace {

bool hasNul(const std::string& path) {
    return path.find('\0') != std::string::npos;
}

bool sameFile(int aDirectory, const char* a, int bDirectory, const char* b) {
    struct stat first {};
    struct stat second {};
    if (::fstatat(aDirectory, a, &first, AT_SYMLINK_NOFOLLOW) != 0 ||
        ::fstatat(bDirectory, b, &second, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool exists(int directory, const char* path) {
    struct stat info {};
    return ::fstatat(directory, path, &info, AT_SYMLINK_NOFOLLOW) == 0;
}

std::string directoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string temporaryName(const std::string& directory, unsigned attempt) {
    static unsigned counter = 0;
    return directory + ".quorbel-rename-" + std::to_string(::getpid()) + "-" +
           std::to_string(++counter) + "-" + std::to_string(attempt);
}

FsStatus accessStatus(const char* path, int mode) {
    return ::faccessat(AT_FDCWD, path, mode, AT_EACCESS) == 0 ? FsStatus::Ok
                                                              : statusFromErrno(errno);
}

// A directory tells nothing of how it compares names, so ask it: a name with
// its ASCII letters flipped that is not listed but still opens is the same
// file under another case. One look-up per directory, not per row.
bool foldsAsciiCase(int directory, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        std::string flipped = name;
        bool letters = false;
        for (char& c : flipped) {
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
                c = static_cast<char>(c ^ 0x20);
                letters = true;
            }
        }
        if (!letters)
            continue;
        for (const std::string& other : names) {
            if (other == flipped)
                return false; // both spellings are there: case counts
        }
        struct stat info {};
        return ::fstatat(directory, flipped.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
    }
    return false;
}

void readNames(DIR* stream, std::vector<std::string>& names) {
    while (const dirent* entry = ::readdir(stream)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        names.emplace_back(name);
    }
}

// Reads names and limits from fd, an open directory, and closes it.
void readListing(int fd, DirectoryListing& listing) {
    if (fd < 0)
        return;
    const long nameMax = ::fpathconf(fd, _PC_NAME_MAX);
    if (nameMax > 0)
        listing.nameMax = static_cast<std::size_t>(nameMax);
    DIR* stream = ::fdopendir(fd);
    if (!stream) {
        ::close(fd);
        return;
    }
    errno = 0;
    readNames(stream, listing.names);
    listing.listed = errno == 0;
    if (listing.listed)
        listing.foldsCase = foldsAsciiCase(fd, listing.names);
    else
        listing.names.clear();
    ::closedir(stream);
}

} // namespace

FsStatus statusFromErrno(int error) {
    switch (error) {
    case 0:
        return FsStatus::Ok;
    case EEXIST:
    case ENOTEMPTY:
        return FsStatus::TargetExists;
    case ENOENT:
    case ENOTDIR:
        return FsStatus::SourceMissing;
    case EACCES:
    case EPERM:
        return FsStatus::AccessDenied;
    case EROFS:
        return FsStatus::ReadOnlyFileSystem;
    case ENAMETOOLONG:
    case EILSEQ:
        return FsStatus::InvalidName;
    case ENOSPC:
    case EDQUOT:
        return FsStatus::DiskFull;
    default:
        return FsStatus::Refused;
    }
}

std::optional<FileAttributes> PosixFileSystem::getAttributes(const std::string& path) {
    struct stat info {};
    if (hasNul(path) || ::lstat(path.c_str(), &info) != 0)
        return std::nullopt;
    const auto bits = static_cast<std::uint32_t>(info.st_mode & 07777);
    return FileAttributes{bits, (bits & 0222) == 0};
}

FsStatus PosixFileSystem::setAttributes(const std::string& path, const FileAttributes& attributes) {
    if (hasNul(path))
        return FsStatus::InvalidName;
    mode_t mode = static_cast<mode_t>(attributes.bits & 07777);
    if (attributes.readOnly)
        mode &= ~static_cast<mode_t>(0222);
    else if ((mode & 0222) == 0)
        mode |= S_IWUSR;
    if (::chmod(path.c_str(), mode) != 0)
        return statusFromErrno(errno);
    return FsStatus::Ok;
}

int PosixFileSystem::renameExclusive(const char* from, const char* to) {
    return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0 ? 0 : errno;
}

int PosixFileSystem::renameExclusiveAt(int fromDirectory, const char* from, int toDirectory,
                                       const char* to) {
    return ::renameat2(fromDirectory, from, toDirectory, to, RENAME_NOREPLACE) == 0 ? 0 : errno;
}

// Calls by path keep going through the path seam.
int PosixFileSystem::exclusive(int fromDirectory, const char* from, int toDirectory,
                               const char* to) {
    if (fromDirectory == AT_FDCWD && toDirectory == AT_FDCWD)
        return renameExclusive(from, to);
    return renameExclusiveAt(fromDirectory, from, toDirectory, to);
}

FsStatus PosixFileSystem::renameNoReplace(const std::string& from, const std::string& to) {
    return renameNoReplaceAt(AT_FDCWD, from, AT_FDCWD, to);
}

FsStatus PosixFileSystem::renameNoReplaceAt(int fromDirectory, const std::string& from,
                                            int toDirectory, const std::string& to) {
    if (from.empty())
        return FsStatus::SourceMissing;
    // c_str() would cut a path at its first NUL and name some other file.
    if (to.empty() || hasNul(from) || hasNul(to))
        return FsStatus::InvalidName;
    const int error = exclusive(fromDirectory, from.c_str(), toDirectory, to.c_str());
    if (error == 0)
        return FsStatus::Ok;
    // EINVAL: this file system does not know the no-replace flag.
    if (error == EINVAL || error == ENOSYS)
        return linkThenUnlink(fromDirectory, from.c_str(), toDirectory, to.c_str());
    // On a file system that ignores case, a change of case alone finds "the
    // target" to be the file itself. A second hard link of the same file looks
    // alike, but moving it through a temporary name would leave a name no
    // journal knows of if the program were killed in between; it is refused.
    if (error == EEXIST && sameFile(fromDirectory, from.c_str(), toDirectory, to.c_str())) {
        const std::optional<FileIdentity> file = identifyAt(fromDirectory, from.c_str());
        if (file && !file->isDirectory && file->links > 1)
            return FsStatus::SameFileLink;
        return renameThroughTemporary(fromDirectory, from, toDirectory, to);
    }
    return statusFromErrno(error);
}

// link() refuses an existing target just as atomically as the flag would.
FsStatus PosixFileSystem::linkThenUnlink(int fromDirectory, const char* from, int toDirectory,
                                         const char* to) {
    struct stat info {};
    if (::fstatat(fromDirectory, from, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return statusFromErrno(errno);
    if (!S_ISREG(info.st_mode))
        return FsStatus::Refused;
    if (::linkat(fromDirectory, from, toDirectory, to, 0) != 0) {
        const int error = errno;
        // EPERM from link() means the file system keeps no hard links at all.
        return error == EPERM || error == EOPNOTSUPP ? FsStatus::Refused : statusFromErrno(error);
    }
    if (::unlinkat(fromDirectory, from, 0) != 0) {
        const int error = errno;
        ::unlinkat(toDirectory, to, 0);
        return statusFromErrno(error);
    }
    return FsStatus::Ok;
}

// The same inode under both names is either a case alias or a second hard link.
// Moving the file aside tells them apart: an alias vanishes with it, a hard link
// stays, and then the file goes back to its old name.
FsStatus PosixFileSystem::renameThroughTemporary(int fromDirectory, const std::string& from,
                                                 int toDirectory, const std::string& to) {
    const std::string directory = directoryOf(from);
    std::string temporary;
    int error = EEXIST;
    for (unsigned attempt = 0; attempt < 16 && error == EEXIST; ++attempt) {
        temporary = temporaryName(directory, attempt);
        error = exclusive(fromDirectory, from.c_str(), fromDirectory, temporary.c_str());
    }
    if (error != 0)
        return statusFromErrno(error);
    FsStatus status = FsStatus::TargetExists;
    if (!exists(toDirectory, to.c_str())) {
        error = exclusive(fromDirectory, temporary.c_str(), toDirectory, to.c_str());
        if (error == 0)
            return FsStatus::Ok;
        status = statusFromErrno(error);
    }
    if (exclusive(fromDirectory, temporary.c_str(), fromDirectory, from.c_str()) != 0)
        return FsStatus::Refused;
    return status;
}

DirectoryListing PosixFileSystem::listDirectory(const std::string& directory) {
    DirectoryListing listing;
    if (hasNul(directory)) {
        listing.status = FsStatus::InvalidName;
        return listing;
    }
    const std::string path = directory.empty() ? std::string(".") : directory;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        listing.status = statusFromErrno(errno);
        return listing;
    }
    if (!S_ISDIR(info.st_mode)) {
        listing.status = FsStatus::SourceMissing; // the rename's ENOTDIR
        return listing;
    }
    listing.device = info.st_dev;
    listing.inode = info.st_ino;
    const uid_t user = ::geteuid();
    listing.stickyForeign = (info.st_mode & S_ISVTX) != 0 && user != 0 && info.st_uid != user;
    listing.search = accessStatus(path.c_str(), X_OK);
    listing.change = accessStatus(path.c_str(), W_OK);
    // A directory that may be searched but not read still takes renames.
    readListing(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC), listing);
    return listing;
}

// Through the handle, the listing describes the very directory the renames
// will meet. Reading it means looking up "." inside it, which takes search
// permission; without that, the path is read as it always was.
DirectoryListing PosixFileSystem::listDirectoryAt(int handle, const std::string& path) {
    struct stat info {};
    if (handle < 0 || ::fstat(handle, &info) != 0 || !S_ISDIR(info.st_mode))
        return listDirectory(path);
    const int fd = ::openat(handle, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return listDirectory(path);
    DirectoryListing listing;
    listing.device = info.st_dev;
    listing.inode = info.st_ino;
    const uid_t user = ::geteuid();
    listing.stickyForeign = (info.st_mode & S_ISVTX) != 0 && user != 0 && info.st_uid != user;
    listing.search = FsStatus::Ok; // "." was looked up inside it just now
    listing.change =
        ::faccessat(fd, ".", W_OK, AT_EACCESS) == 0 ? FsStatus::Ok : statusFromErrno(errno);
    readListing(fd, listing);
    return listing;
}

ResolvedDirectory PosixFileSystem::resolveDirectory(const std::string& directory) {
    ResolvedDirectory resolved;
    if (hasNul(directory)) {
        resolved.status = FsStatus::InvalidName;
        return resolved;
    }
    char* real = ::realpath(directory.empty() ? "." : directory.c_str(), nullptr);
    if (!real) {
        resolved.status = statusFromErrno(errno);
        return resolved;
    }
    resolved.path = real;
    std::free(real);
    if (resolved.path.empty() || resolved.path.back() != '/')
        resolved.path += '/';
    return resolved;
}

std::optional<FileIdentity> PosixFileSystem::identify(const std::string& path) {
    if (hasNul(path))
        return std::nullopt;
    return identifyAt(AT_FDCWD, path.c_str());
}

// identify keeps no state, so any thread may call it; it only pays where the
// process may run on two processors at once.
bool PosixFileSystem::identifiesAlongside() const {
    static const bool twoProcessors = [] {
        cpu_set_t allowed;
        CPU_ZERO(&allowed);
        return ::sched_getaffinity(0, sizeof allowed, &allowed) == 0 && CPU_COUNT(&allowed) > 1;
    }();
    return twoProcessors;
}

std::optional<FileIdentity> PosixFileSystem::identifyAt(int directory, const char* name) {
    struct statx info {};
    if (::statx(directory, name, AT_SYMLINK_NOFOLLOW,
                STATX_TYPE | STATX_INO | STATX_NLINK | STATX_UID, &info) != 0)
        return std::nullopt;
    FileIdentity identity;
    identity.device = ::makedev(info.stx_dev_major, info.stx_dev_minor);
    identity.inode = info.stx_ino;
    identity.links = info.stx_nlink;
    identity.isDirectory = S_ISDIR(info.stx_mode);
    const uid_t user = ::geteuid();
    identity.ownedByUser = user == 0 || info.stx_uid == user;
    const std::uint64_t fixed = STATX_ATTR_IMMUTABLE | STATX_ATTR_APPEND;
    identity.fixed = (info.stx_attributes & info.stx_attributes_mask & fixed) != 0;
    return identity;
}

namespace {

// A whole listing collected from one of the each-inode passes.
template <typename Pass> std::optional<DirectoryInodes> collectInodes(Pass pass) {
    DirectoryInodes listing;
    const bool whole = pass(listing.device, [&listing](std::string_view name, std::uint64_t inode) {
        listing.names.append(name).append(1, '\0');
        listing.inodes.push_back(inode);
    });
    if (!whole)
        return std::nullopt;
    return listing;
}

} // namespace

std::optional<DirectoryInodes> PosixFileSystem::listInodes(const std::string& directory) {
    return collectInodes([&](std::uint64_t& device, const RenameSession::InodeVisitor& visit) {
        return eachInode(directory, device, visit);
    });
}

std::optional<DirectoryInodes> PosixFileSystem::listInodesAt(int handle) {
    return collectInodes([&](std::uint64_t& device, const RenameSession::InodeVisitor& visit) {
        return eachInodeAt(handle, device, visit);
    });
}

bool PosixFileSystem::eachInode(const std::string& directory, std::uint64_t& device,
                                const RenameSession::InodeVisitor& visit) {
    if (hasNul(directory))
        return false;
    return readInodes(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC), device, visit);
}

bool PosixFileSystem::eachInodeAt(int handle, std::uint64_t& device,
                                  const RenameSession::InodeVisitor& visit) {
    return readInodes(::openat(handle, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC), device, visit);
}

bool PosixFileSystem::readInodes(int fd, std::uint64_t& device,
                                 const RenameSession::InodeVisitor& visit) {
    if (fd < 0)
        return false;
    struct stat info {};
    DIR* stream = ::fstat(fd, &info) == 0 ? ::fdopendir(fd) : nullptr;
    if (!stream) {
        ::close(fd);
        return false;
    }
    // Closed however visit leaves.
    struct Close {
        DIR* stream;
        ~Close() { ::closedir(stream); }
    } close{stream};
    device = info.st_dev;
    errno = 0;
    while (const dirent* entry = ::readdir(stream)) {
        visit(entry->d_name, entry->d_ino);
        errno = 0;
    }
    return errno == 0;
}

PosixFileSystem& posixFileSystem() {
    static HandleFileSystem instance;
    return instance;
}

} // namespace quorbel

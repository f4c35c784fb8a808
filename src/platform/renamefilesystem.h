#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quorbel {

// Why a file-system call was refused, in the words the rename run reports.
enum class FsStatus {
    Ok,
    TargetExists,       // a file with the new path exists
    SourceMissing,      // the old file (or its directory) is not there
    AccessDenied,       // permission refused
    ReadOnlyFileSystem, // the volume is mounted read-only
    InvalidName,        // the file system refuses the name (too long, bad bytes)
    Refused             // any other refusal
};

// A file's attribute set as the platform keeps it. readOnly is the one mark the
// run reasons about; when setting, it wins over whatever bits say about it.
struct FileAttributes {
    std::uint32_t bits = 0;
    bool readOnly = false;
};

// The three operations the rename run needs. None of them throws: every refusal
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
};

} // namespace quorbel

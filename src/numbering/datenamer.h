// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbering/datepattern.h"
#include "numbering/namegenerator.h"
#include "preview/exifdate.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace quorbel {

class RenameFileSystem;
class RenameList;

struct DateNames {
    std::vector<NumberedName> names; // rows with a date, in row order
    int withoutDate = 0;             // file rows whose file has no readable date
};

// Names file rows by the date their picture was taken. Rows that come out
// with the same name get "_2", "_3", ... in row order, the first keeping the
// plain name; names already in the folder count, so a second import of the
// same day continues the numbering instead of failing at the run. The
// extension belongs to the name: a RAW file and its JPEG of the same second
// keep the same name. A file that already bears its date's name (with or
// without a number) keeps it, so naming a folder twice changes nothing.
//
// Dates and folder listings are read once per namer and kept, so a preview
// can name the first rows again and again as the pattern is typed.
class DateNamer {
public:
    using DateReader = std::function<std::optional<TakenTime>(const std::string& path)>;

    // An empty reader reads the file's EXIF block.
    DateNamer(const RenameList& list, RenameFileSystem& fileSystem, DateReader reader = {});
    ~DateNamer();

    // The names of the file rows 1 to lastRow (clamped to the list), as if
    // the rows below lastRow did not exist. Writes nothing.
    DateNames names(const DatePattern& pattern, int lastRow);
    DateNames names(const DatePattern& pattern);

private:
    struct Folder;
    class Naming;

    const std::optional<TakenTime>& takenAt(int row);
    Folder& folderOf(const std::string& directory);

    const RenameList& list_;
    RenameFileSystem& fileSystem_;
    DateReader reader_;
    std::vector<std::optional<std::optional<TakenTime>>> taken_; // by row, read on first use
    std::map<std::string, std::shared_ptr<Folder>> folders_;     // by directory text
};

// "按拍摄日期命名 n 个文件", and how many files had no date.
std::string dateNamedStatusText(const DateNames& result);

} // namespace quorbel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/localeformat.h"
#include "mapping/celltext.h"
#include "mapping/mappinglookup.h"
#include "mapping/platefinder.h"
#include "mapping/workbookreader.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <unistd.h>

namespace quorbel {

// The readers take a path, so every input goes through one temporary file.
inline std::string writeInput(const std::uint8_t* data, size_t size, const char* suffix) {
    const std::string path = "/tmp/quorbel-fuzz-" + std::to_string(::getpid()) + suffix;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

// Reads every sheet and uses every cell the way the mapping command does, and
// looks for plates in it as the plate choice does.
inline void exercise(WorkbookReader& reader) {
    for (const std::string& name : reader.sheetNames()) {
        const MappingTable table = reader.readSheet(name);
        if (findPlateBlocks(table).empty())
            noPlateMessage(table);
        const int columns = static_cast<int>(table.columnNames().size());
        for (int column = 0; column < columns && column < 8; ++column) {
            const MappingLookup lookup(table, column, LocaleFormat{});
            for (size_t row = 0; row < table.rowCount(); ++row)
                lookup.find(cellText(table.cell(row, column), LocaleFormat{}));
        }
    }
}

} // namespace quorbel

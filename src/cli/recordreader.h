// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

// Bad usage or bad input: the program says why in one line, touches no file and
// ends with exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The records of a list file, or of standard input for "-". Records end with
// NUL when nulSeparated, else with a line end ("\n", or "\r\n" as Windows
// editors save it); the last record needs no end. Bytes are kept as they are.
std::vector<std::string> readRecords(const std::string& path, bool nulSeparated);

// The same records as views into the text read, one block for a million
// records instead of a heap string each.
struct RecordBlock {
    std::string text;
    std::vector<std::string_view> records;
};
RecordBlock readRecordBlock(const std::string& path, bool nulSeparated);

} // namespace quorbel

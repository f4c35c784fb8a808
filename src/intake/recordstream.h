// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace quorbel {

// The records of a list file, read one at a time through a small buffer, so a
// million paths never stand in memory all at once beside the list they fill.
// Records end with NUL when nulSeparated, else with a line end ("\n", or
// "\r\n" as Windows editors save it); the last record needs no end, and a
// UTF-8 byte-order mark before the first is not part of it. Bytes are kept as
// they are.
class RecordStream {
public:
    // Takes the open descriptor and closes it when done.
    RecordStream(int fd, bool nulSeparated, std::size_t chunk = 1 << 16);
    ~RecordStream();
    RecordStream(const RecordStream&) = delete;
    RecordStream& operator=(const RecordStream&) = delete;

    // Opens a regular file, the only kind that can be read twice; nullptr with
    // errno set when it cannot be opened, and nullptr with errno 0 when the
    // path names something else (a pipe, a terminal).
    static std::unique_ptr<RecordStream> openFile(const std::string& path, bool nulSeparated);

    // The next record, valid until the next call; false at the end or when a
    // read failed (error() then tells why).
    bool next(std::string_view& record);
    // Back to the first record.
    bool rewind();
    int error() const { return error_; }

private:
    bool fill();

    int fd_;
    bool nulSeparated_;
    std::string buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool atStart_ = true;
    bool atEnd_ = false;
    int error_ = 0;
};

} // namespace quorbel

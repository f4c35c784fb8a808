// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorbel {

// Writes a compound file ("OLE2", version 3 with 512-byte sectors) holding one
// stream named "Workbook", straight into an open file. The stream is written
// as it is produced, from sector 0 on, so it never has to sit in memory; the
// allocation tables, the directory and the header follow once its size is
// known. Every write failure is thrown as std::system_error.
class CompoundFileWriter {
public:
    explicit CompoundFileWriter(int fd);

    void append(std::string_view bytes);
    std::uint64_t size() const { return size_; }
    // Overwrites bytes already appended, for sizes and offsets known only later.
    void patch(std::uint64_t at, std::string_view bytes);
    // Pads the stream, writes the tables, the directory and the header.
    void finish();

private:
    void flush();
    void writeAt(std::uint64_t offset, std::string_view bytes) const;

    int fd_;
    std::string buffer_;
    std::uint64_t size_ = 0;
    std::uint64_t flushed_ = 0;
};

} // namespace quorbel

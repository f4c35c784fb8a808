// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorbel {

// When a picture was taken, to the second, as the camera's clock read.
struct TakenTime {
    int year = 0; // 1 to 9999
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0; // 0 to 59, or 60 for a leap second
    bool operator==(const TakenTime&) const = default;
};

// An EXIF date text, "YYYY:MM:DD HH:MM:SS". Cameras also write "-" or "/"
// between the date's parts and "T" before the time; the blank or zero texts
// of a camera whose clock was never set, and dates that do not exist, are no
// date.
std::optional<TakenTime> readExifDateTime(std::string_view text);

// The date a photograph was taken, from the EXIF block at the head of its
// file: DateTimeOriginal, else DateTimeDigitized, else DateTime; a tag that
// is missing or holds no valid date passes to the next. A file without the
// block, and a damaged block, give no date. Only the block is read, never
// the picture; bytesRead, when given, is told how many bytes were.
std::optional<TakenTime> readDateTaken(const std::string& path, std::size_t* bytesRead = nullptr);

// The same from the first bytes of a file held in memory.
std::optional<TakenTime> dateTakenFromBytes(const unsigned char* data, std::size_t size);

} // namespace quorbel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/exifdate.h"

#include "preview/exifblock.h"

#include <array>
#include <string_view>

namespace quorbel {
namespace {

// Reads exactly `digits` decimal digits at text[at].
std::optional<int> number(std::string_view text, std::size_t at, std::size_t digits) {
    int value = 0;
    for (std::size_t i = at; i < at + digits; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysIn(int year, int month) {
    static constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[static_cast<std::size_t>(month - 1)];
}

bool isDateSeparator(char c) {
    return c == ':' || c == '-' || c == '/';
}

bool exists(const TakenTime& t) {
    return t.year >= 1 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= daysIn(t.year, t.month) && t.hour <= 23 && t.minute <= 59 && t.second <= 60;
}

// The text of an ASCII entry, up to its terminating NUL.
std::string_view entryText(const ExifEntry& entry) {
    if (entry.data == nullptr || entry.format != EXIF_FORMAT_ASCII)
        return {};
    const std::string_view bytes(reinterpret_cast<const char*>(entry.data), entry.size);
    return bytes.substr(0, bytes.find('\0'));
}

std::optional<TakenTime> tagDate(ExifData& data, ExifIfd ifd, ExifTag tag) {
    const ExifEntry* entry = exif_content_get_entry(data.ifd[ifd], tag);
    if (entry == nullptr)
        return std::nullopt;
    return readExifDateTime(entryText(*entry));
}

std::optional<TakenTime> dateOf(const ExifDataPtr& data) {
    if (!data)
        return std::nullopt;
    if (auto taken = tagDate(*data, EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL))
        return taken;
    if (auto taken = tagDate(*data, EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_DIGITIZED))
        return taken;
    return tagDate(*data, EXIF_IFD_0, EXIF_TAG_DATE_TIME);
}

} // namespace

std::optional<TakenTime> readExifDateTime(std::string_view text) {
    // Some writers pad the text with blanks after the seconds.
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.size() != 19 || !isDateSeparator(text[4]) || text[7] != text[4] ||
        (text[10] != ' ' && text[10] != 'T') || text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const auto year = number(text, 0, 4), month = number(text, 5, 2), day = number(text, 8, 2);
    const auto hour = number(text, 11, 2), minute = number(text, 14, 2),
               second = number(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second)
        return std::nullopt;
    const TakenTime taken{*year, *month, *day, *hour, *minute, *second};
    return exists(taken) ? std::optional(taken) : std::nullopt;
}

std::optional<TakenTime> readDateTaken(const std::string& path, std::size_t* bytesRead) {
    return dateOf(loadExifBlock(path, bytesRead));
}

std::optional<TakenTime> dateTakenFromBytes(const unsigned char* data, std::size_t size) {
    return dateOf(loadExifBlock(data, size));
}

} // namespace quorbel

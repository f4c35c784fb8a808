// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamelist/renamejournal.h"

#include "global/coretext.h"

#include <charconv>
#include <zlib.h>

namespace quorbel {
namespace {

constexpr std::string_view magic = "quorbel-journal 2";
constexpr char hexDigits[] = "0123456789abcdef";

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence starting at i, or 0. Overlong forms,
// surrogates and code points past U+10FFFF are not valid.
std::size_t utf8Length(std::string_view text, std::size_t i) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char lead = at(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else
        return 0;
    if (i + length > text.size() || at(1) < low || at(1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if (!isContinuation(at(k)))
            return 0;
    }
    return length;
}

bool needsEscape(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == '\\';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

constexpr CoreText unreadableLine{"第 %1 行无法识别", "line %1 cannot be read"};
constexpr CoreText checksumMismatch{"第 %1 行校验不符", "line %1 fails its checksum"};

JournalRead damaged(std::size_t lineNumber, const CoreText& what) {
    JournalRead read;
    read.status = JournalReadStatus::Damaged;
    read.problem = what.count(static_cast<long long>(lineNumber));
    return read;
}

std::uint32_t checksum(std::string_view text) {
    return static_cast<std::uint32_t>(
        ::crc32(::crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(text.data()),
                static_cast<uInt>(text.size())));
}

void appendHex32(std::string& text, std::uint32_t value) {
    for (int shift = 28; shift >= 0; shift -= 4)
        text += hexDigits[(value >> shift) & 15];
}

std::optional<std::uint32_t> readHex32(std::string_view text) {
    if (text.size() != 8)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        const int digit = hexValue(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

template <typename Number> std::optional<Number> readNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::vector<std::string_view> fieldsOf(std::string_view record) {
    std::vector<std::string_view> fields;
    for (std::size_t from = 0;;) {
        const std::size_t tab = record.find('\t', from);
        fields.push_back(record.substr(from, tab - from));
        if (tab == std::string_view::npos)
            return fields;
        from = tab + 1;
    }
}

// Reads the records after the header, in the order a run writes them.
class RecordReader {
public:
    explicit RecordReader(JournalContents& contents) : contents_(contents) {}

    bool read(const std::vector<std::string_view>& fields) {
        const std::string_view tag = fields[0];
        if (contents_.undone)
            return false;
        if (tag == "undone")
            return undone(fields);
        if (contents_.finished || contents_.closed)
            return tag == "closed" && !contents_.closed && (contents_.closed = true);
        if (tag == "dir")
            return directory(fields);
        if (tag == "rename")
            return rename(fields);
        if (tag == "done")
            return done(fields);
        if (tag == "finished" && fields.size() == 1)
            return contents_.finished = pending_ == contents_.entries.size();
        if (tag == "closed" && fields.size() == 1)
            return contents_.closed = true;
        return false;
    }

private:
    bool directory(const std::vector<std::string_view>& fields) {
        if (fields.size() != 3 || readNumber<std::size_t>(fields[1]) != contents_.directories.size())
            return false;
        auto path = unescapeJournalPath(fields[2]);
        if (!path || !path->starts_with('/') || !path->ends_with('/'))
            return false;
        contents_.directories.push_back(std::move(*path));
        return true;
    }

    static bool isBareName(std::string_view name) {
        return !name.empty() && name.find('/') == std::string_view::npos &&
               name.find('\0') == std::string_view::npos;
    }

    bool rename(const std::vector<std::string_view>& fields) {
        if (fields.size() != 6)
            return false;
        const auto id = readNumber<std::size_t>(fields[1]);
        auto oldName = unescapeJournalPath(fields[2]);
        auto newName = unescapeJournalPath(fields[3]);
        const auto device = readNumber<std::uint64_t>(fields[4]);
        const auto inode = readNumber<std::uint64_t>(fields[5]);
        if (!id || *id >= contents_.directories.size() || !oldName || !newName || !device || !inode)
            return false;
        // A run journals names inside their directory only; a name reaching
        // into another folder did not come from a run, and undo must not
        // follow it there.
        if (!isBareName(*oldName) || !isBareName(*newName))
            return false;
        const std::string& directory = contents_.directories[*id];
        contents_.entries.push_back(
            {directory + *oldName, directory + *newName, JournalOutcome::Unknown, *device, *inode});
        return true;
    }

    bool done(const std::vector<std::string_view>& fields) {
        if (fields.size() != 2 || fields[1].size() != contents_.entries.size() - pending_)
            return false;
        for (char sign : fields[1]) {
            if (sign != '+' && sign != '-' && sign != '?')
                return false;
            contents_.entries[pending_++].outcome = sign == '+'   ? JournalOutcome::Renamed
                                                    : sign == '-' ? JournalOutcome::NotRenamed
                                                                  : JournalOutcome::Unknown;
        }
        return true;
    }

    bool undone(const std::vector<std::string_view>& fields) {
        const auto count = fields.size() == 2 ? readNumber<int>(fields[1]) : std::nullopt;
        if (!count || *count < 0)
            return false;
        contents_.undone = true;
        contents_.undoneCount = *count;
        return true;
    }

    JournalContents& contents_;
    std::size_t pending_ = 0;
};

} // namespace

std::string escapeJournalPath(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (std::size_t i = 0; i < path.size();) {
        const auto c = static_cast<unsigned char>(path[i]);
        const std::size_t length = c < 0x80 ? (needsEscape(c) ? 0 : 1) : utf8Length(path, i);
        if (length == 0) {
            out += "\\x";
            out += hexDigits[c >> 4];
            out += hexDigits[c & 15];
            ++i;
            continue;
        }
        out.append(path, i, length);
        i += length;
    }
    return out;
}

std::optional<std::string> unescapeJournalPath(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\\') {
            if (i + 4 > text.size() || text[i + 1] != 'x')
                return std::nullopt;
            const int high = hexValue(text[i + 2]);
            const int low = hexValue(text[i + 3]);
            if (high < 0 || low < 0)
                return std::nullopt;
            out += static_cast<char>(high * 16 + low);
            i += 4;
            continue;
        }
        const std::size_t length = c < 0x80 ? (needsEscape(c) ? 0 : 1) : utf8Length(text, i);
        if (length == 0)
            return std::nullopt;
        out.append(text, i, length);
        i += length;
    }
    return out;
}

void appendJournalRecord(std::string& text, std::initializer_list<std::string_view> fields) {
    const std::size_t start = text.size();
    bool first = true;
    for (std::string_view field : fields) {
        if (!first)
            text += '\t';
        text.append(field);
        first = false;
    }
    const std::uint32_t crc = checksum(std::string_view(text).substr(start));
    text += '\t';
    appendHex32(text, crc);
    text += '\n';
}

std::string journalHeaderLine(std::int64_t startedAt) {
    std::string text;
    appendJournalRecord(text, {magic, std::to_string(startedAt)});
    return text;
}

JournalRead parseJournal(std::string_view text) {
    // A cut last line never counts: what it announced was not tried yet.
    const auto lastBreak = text.rfind('\n');
    text = lastBreak == std::string_view::npos ? std::string_view() : text.substr(0, lastBreak + 1);
    JournalRead read;
    read.status = JournalReadStatus::Ok;
    if (text.empty())
        return read; // created, but nothing written before the program stopped
    RecordReader records(read.contents);
    std::size_t lineNumber = 0;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t end = text.find('\n', from);
        const std::string_view line = text.substr(from, end - from);
        from = end + 1;
        ++lineNumber;
        const std::size_t tab = line.rfind('\t');
        const auto crc = tab == std::string_view::npos ? std::nullopt : readHex32(line.substr(tab + 1));
        if (!crc || *crc != checksum(line.substr(0, tab)))
            return damaged(lineNumber, checksumMismatch);
        const std::vector<std::string_view> fields = fieldsOf(line.substr(0, tab));
        bool ok = false;
        if (lineNumber == 1) {
            const auto startedAt = fields.size() == 2 && fields[0] == magic
                                       ? readNumber<std::int64_t>(fields[1])
                                       : std::nullopt;
            ok = startedAt.has_value();
            read.contents.startedAt = startedAt.value_or(0);
        } else
            ok = records.read(fields);
        if (!ok)
            return damaged(lineNumber, unreadableLine);
    }
    return read;
}

std::optional<std::string> journalRecordTag(std::string_view line) {
    const std::size_t tab = line.rfind('\t');
    const auto crc = tab == std::string_view::npos ? std::nullopt : readHex32(line.substr(tab + 1));
    if (!crc || *crc != checksum(line.substr(0, tab)))
        return std::nullopt;
    return std::string(fieldsOf(line.substr(0, tab)).front());
}

void JournalText::header(std::int64_t startedAt) {
    text_.append(journalHeaderLine(startedAt));
}

void JournalText::renames(const std::vector<JournalRename>& renames) {
    for (const JournalRename& rename : renames) {
        if (directories_.empty() || rename.directory != lastDirectory_) {
            lastDirectory_.assign(rename.directory);
            const auto [found, added] = directories_.try_emplace(lastDirectory_, directories_.size());
            lastId_ = found->second;
            if (added)
                appendJournalRecord(text_, {"dir", std::to_string(lastId_),
                                            escapeJournalPath(rename.directory)});
        }
        appendJournalRecord(text_, {"rename", std::to_string(lastId_),
                                    escapeJournalPath(rename.oldName),
                                    escapeJournalPath(rename.newName),
                                    std::to_string(rename.device), std::to_string(rename.inode)});
    }
}

void JournalText::outcome(std::string_view signs) {
    appendJournalRecord(text_, {"done", signs});
}

void JournalText::mark(std::string_view word) {
    appendJournalRecord(text_, {word});
}

void JournalText::undone(int count) {
    appendJournalRecord(text_, {"undone", std::to_string(count)});
}

std::string formatJournal(const JournalContents& contents) {
    JournalText text;
    text.header(contents.startedAt);
    std::vector<JournalRename> renames;
    std::string signs;
    for (const JournalEntry& entry : contents.entries) {
        const std::size_t slash = entry.oldPath.rfind('/') + 1;
        const std::string_view directory = std::string_view(entry.oldPath).substr(0, slash);
        renames.push_back({directory, std::string_view(entry.oldPath).substr(slash),
                           std::string_view(entry.newPath).substr(slash), entry.device,
                           entry.inode});
        signs += entry.outcome == JournalOutcome::Renamed      ? '+'
                 : entry.outcome == JournalOutcome::NotRenamed ? '-'
                                                               : '?';
    }
    text.renames(renames);
    if (!renames.empty())
        text.outcome(signs);
    if (contents.finished)
        text.mark("finished");
    if (contents.closed)
        text.mark("closed");
    if (contents.undone)
        text.undone(contents.undoneCount);
    return std::move(text.text());
}

} // namespace quorbel

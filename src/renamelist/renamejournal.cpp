#include "renamelist/renamejournal.h"

#include "global/coretext.h"

namespace quorbel {
namespace {

constexpr std::string_view header = "quorbel-journal 1\n";
constexpr std::string_view renameTag = "rename\t";
constexpr std::string_view doneTag = "done\t";
constexpr std::string_view finishedLine = "finished\n";
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

JournalRead damaged(std::size_t lineNumber) {
    JournalRead read;
    read.status = JournalReadStatus::Damaged;
    static constexpr CoreText unreadableLine{"第 %1 行无法识别", "line %1 cannot be read"};
    read.problem = unreadableLine.count(static_cast<long long>(lineNumber));
    return read;
}

bool parseRename(std::string_view line, JournalContents& contents) {
    line.remove_prefix(renameTag.size());
    const auto tab = line.find('\t');
    if (tab == std::string_view::npos)
        return false;
    auto oldPath = unescapeJournalPath(line.substr(0, tab));
    auto newPath = unescapeJournalPath(line.substr(tab + 1));
    if (!oldPath || !newPath)
        return false;
    contents.entries.push_back({std::move(*oldPath), std::move(*newPath), JournalOutcome::Unknown});
    return true;
}

bool parseDone(std::string_view signs, JournalContents& contents, std::size_t& pending) {
    signs.remove_prefix(doneTag.size());
    if (signs.size() != contents.entries.size() - pending)
        return false;
    for (char sign : signs) {
        if (sign != '+' && sign != '-' && sign != '?')
            return false;
        contents.entries[pending++].outcome = sign == '+'   ? JournalOutcome::Renamed
                                              : sign == '-' ? JournalOutcome::NotRenamed
                                                            : JournalOutcome::Unknown;
    }
    return true;
}

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

std::string_view journalHeader() {
    return header;
}

void appendJournalRename(std::string& text, std::string_view oldPath, std::string_view newPath) {
    text.append(renameTag).append(escapeJournalPath(oldPath));
    text.append(1, '\t').append(escapeJournalPath(newPath)).append(1, '\n');
}

void appendJournalOutcome(std::string& text, const std::vector<bool>& renamed) {
    text.append(doneTag);
    for (bool done : renamed)
        text += done ? '+' : '-';
    text += '\n';
}

std::string_view journalFinishedLine() {
    return finishedLine;
}

JournalRead parseJournal(std::string_view text) {
    // A cut last line never counts: its batch was not tried yet.
    const auto lastBreak = text.rfind('\n');
    text = lastBreak == std::string_view::npos ? std::string_view() : text.substr(0, lastBreak + 1);
    JournalRead read;
    read.status = JournalReadStatus::Ok;
    if (text.empty())
        return read; // created, but nothing written before the program stopped
    if (!text.starts_with(header))
        return damaged(1);
    std::size_t pending = 0;
    std::size_t lineNumber = 1;
    for (std::size_t from = header.size(); from < text.size();) {
        const std::size_t end = text.find('\n', from);
        const std::string_view line = text.substr(from, end - from);
        from = end + 1;
        ++lineNumber;
        bool ok = false;
        if (read.contents.finished)
            ok = false;
        else if (line.starts_with(renameTag))
            ok = parseRename(line, read.contents);
        else if (line.starts_with(doneTag))
            ok = parseDone(line, read.contents, pending);
        else if (line == finishedLine.substr(0, finishedLine.size() - 1))
            ok = read.contents.finished = pending == read.contents.entries.size();
        if (!ok)
            return damaged(lineNumber);
    }
    return read;
}

std::string formatJournal(const std::vector<JournalEntry>& entries) {
    std::string text(header);
    std::string signs(doneTag);
    for (const JournalEntry& entry : entries) {
        appendJournalRename(text, entry.oldPath, entry.newPath);
        signs += entry.outcome == JournalOutcome::Renamed      ? '+'
                 : entry.outcome == JournalOutcome::NotRenamed ? '-'
                                                               : '?';
    }
    if (!entries.empty())
        text.append(signs).append(1, '\n');
    text.append(finishedLine);
    return text;
}

} // namespace quorbel

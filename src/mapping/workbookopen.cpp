#include "mapping/orcusreader.h"
#include "mapping/workbookmessages.h"
#include "mapping/workbookreader.h"
#include "mapping/xlsreader.h"
#include "mapping/zipguard.h"

#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace quorbel {
namespace {

// Far beyond any mapping sheet; keeps a stray huge file from filling memory.
constexpr std::uintmax_t maxFileSize = 512u * 1024 * 1024;

std::string readFile(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        throw WorkbookError(workbookmessages::CannotOpen);
    if (size > maxFileSize)
        throw WorkbookError(workbookmessages::TooLarge);
    std::ifstream in(path, std::ios::binary);
    std::string content(static_cast<size_t>(size), '\0');
    if (!in || !in.read(content.data(), static_cast<std::streamsize>(size)))
        throw WorkbookError(workbookmessages::CannotOpen);
    return content;
}

bool startsWith(const std::string& content, std::string_view prefix) {
    return content.compare(0, prefix.size(), prefix) == 0;
}

template <typename Filter> bool detects(const std::string& content) {
    try {
        return Filter::detect(reinterpret_cast<const unsigned char*>(content.data()),
                              content.size());
    } catch (const std::exception&) {
        return false;
    }
}

// UTF-8 text without NUL or other control bytes than tab, line ends and form feed.
bool looksLikeText(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f')
                return false;
            ++i;
            continue;
        }
        const size_t length = byte >= 0xF0 && byte < 0xF5 ? 4
                              : byte >= 0xE0              ? 3
                              : byte >= 0xC2              ? 2
                                                          : 0;
        if (length == 0 || (byte >= 0xF0 && length != 4) || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += length;
    }
    return true;
}

// A mapping needs two columns, so a text file counts as CSV only when its first
// line separates at least two fields.
bool looksLikeCsv(std::string_view text) {
    const std::string_view firstLine = text.substr(0, text.find_first_of("\r\n"));
    return firstLine.find(',') != std::string_view::npos && looksLikeText(text);
}

// The CSV parser ends lines at LF only; CR LF (Windows) and CR (old Mac) would
// leave a CR in every last field.
std::string withLfLineEnds(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r')
            result += text[i];
        else if (i + 1 >= text.size() || text[i + 1] != '\n')
            result += '\n';
    }
    return result;
}

std::unique_ptr<WorkbookReader> openZip(const std::string& content) {
    checkZipSize(content);
    if (detects<orcus::orcus_ods>(content))
        return std::make_unique<OrcusReader>(content, OrcusReader::Format::Ods, "");
    if (detects<orcus::orcus_xlsx>(content))
        return std::make_unique<OrcusReader>(content, OrcusReader::Format::Xlsx, "");
    throw WorkbookError(workbookmessages::NotAWorkbook);
}

} // namespace

std::unique_ptr<WorkbookReader> openWorkbook(const std::string& path) {
    const std::string content = readFile(path);
    if (startsWith(content, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return std::make_unique<XlsReader>(path, content);
    if (startsWith(content, "PK\x03\x04"))
        return openZip(content);
    std::string_view text = content;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    if (looksLikeCsv(text))
        return std::make_unique<OrcusReader>(withLfLineEnds(text), OrcusReader::Format::Csv,
                                             std::filesystem::path(path).stem().string());
    throw WorkbookError(workbookmessages::NotAWorkbook);
}

} // namespace quorbel

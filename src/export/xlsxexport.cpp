// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/xlsxexport.h"

#include "export/exportblock.h"
#include "mapping/ooxmlescape.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace quorbel {
namespace {

std::string failure(lxw_error error) {
    std::string reason = lxw_strerror(error);
    if (errno != 0)
        reason += std::string(" (") + std::strerror(errno) + ")";
    return reason;
}

// Closes the workbook however the writing ends; libxlsxwriter writes the file
// when it closes it.
class Workbook {
public:
    Workbook(const std::string& path, const std::string& tempDirectory)
        : tempDirectory_(tempDirectory.begin(), tempDirectory.end()) {
        tempDirectory_.push_back('\0');
        // Constant-memory mode keeps one row in memory and writes inline
        // strings, which our mapping reader reads, so the exported list still
        // loads back through the mapping. Rows must then be written in order.
        lxw_workbook_options options{LXW_TRUE, tempDirectory_.data(), LXW_FALSE};
        book_ = workbook_new_opt(path.c_str(), &options);
        if (!book_)
            throw std::runtime_error(failure(LXW_ERROR_MEMORY_MALLOC_FAILED));
    }
    ~Workbook() {
        if (book_)
            workbook_close(book_);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    lxw_workbook* get() const { return book_; }
    void close() {
        errno = 0;
        const lxw_error error = workbook_close(book_);
        book_ = nullptr;
        if (error != LXW_NO_ERROR)
            throw std::runtime_error(failure(error));
    }

private:
    std::vector<char> tempDirectory_;
    lxw_workbook* book_ = nullptr;
};

// libxlsxwriter prints its own "[ERROR] ..." line to standard error before it
// returns the error we report; while it works, that stream goes nowhere, so a
// failure reads as one message.
class QuietStandardError {
public:
    QuietStandardError() {
        std::fflush(stderr);
        saved_ = ::dup(STDERR_FILENO);
        const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && nowhere >= 0)
            ::dup2(nowhere, STDERR_FILENO);
        if (nowhere >= 0)
            ::close(nowhere);
    }
    ~QuietStandardError() {
        std::fflush(stderr);
        if (saved_ < 0)
            return;
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved_ = -1;
};

} // namespace

void writeXlsx(const ExportBlock& block, const std::string& path,
               const std::string& tempDirectory) {
    const QuietStandardError quiet;
    Workbook book(path, tempDirectory);
    lxw_worksheet* sheet = workbook_add_worksheet(book.get(), "Sheet1");
    lxw_format* text = workbook_add_format(book.get());
    if (!sheet || !text)
        throw std::runtime_error(failure(LXW_ERROR_MEMORY_MALLOC_FAILED));
    // Text format on the columns too, so a name typed into an empty cell
    // stays the text the user typed ("007" does not become 7).
    format_set_num_format(text, "@");
    worksheet_set_column(sheet, 0, ExportBlock::columnCount - 1, 16, text);
    for (int row = 0; row < block.rowCount(); ++row) {
        for (int column = 0; column < ExportBlock::columnCount; ++column) {
            const std::string& cell = block.text(row, column);
            if (cell.empty())
                continue;
            // A name holding "_x0041_" would read "A" in Excel and in the
            // mapping; libxlsxwriter writes it unescaped.
            const std::string stored = escapeOoxmlText(cell);
            errno = 0;
            const lxw_error error =
                worksheet_write_string(sheet, static_cast<lxw_row_t>(row),
                                       static_cast<lxw_col_t>(column), stored.c_str(), text);
            if (error != LXW_NO_ERROR)
                throw std::runtime_error(failure(error));
        }
    }
    book.close();
}

} // namespace quorbel

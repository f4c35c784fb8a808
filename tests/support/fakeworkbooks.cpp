// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fakeworkbooks.h"

namespace quorbel::test {
namespace {

MappingTable tableOf(const FakeSheet& sheet) {
    std::vector<std::vector<SheetCell>> rows;
    for (const std::vector<std::string>& texts : sheet.rows) {
        std::vector<SheetCell>& row = rows.emplace_back();
        for (const std::string& text : texts) {
            SheetCell cell;
            if (!text.empty()) {
                cell.type = SheetCell::Type::Text;
                cell.text = text;
            }
            row.push_back(cell);
        }
    }
    return MappingTable(sheet.columns, std::move(rows));
}

class FakeReader : public WorkbookReader {
public:
    FakeReader(FakeWorkbooks& owner, std::string path) : owner_(owner), path_(std::move(path)) {
        ++owner_.live;
    }
    ~FakeReader() override { --owner_.live; }

    std::vector<std::string> sheetNames() override {
        const FakeWorkbook& book = owner_.books.at(path_);
        if (!book.listError.empty())
            throw WorkbookError(book.listError);
        std::vector<std::string> names;
        for (const FakeSheet& sheet : book.sheets)
            names.push_back(sheet.name);
        return names;
    }

    MappingTable readSheet(const std::string& sheetName) override {
        owner_.reads.push_back(path_ + "|" + sheetName);
        const FakeWorkbook& book = owner_.books.at(path_);
        if (!book.readError.empty())
            throw WorkbookError(book.readError);
        for (const FakeSheet& sheet : book.sheets)
            if (sheet.name == sheetName)
                return tableOf(sheet);
        throw WorkbookError("No sheet named " + sheetName);
    }

private:
    FakeWorkbooks& owner_;
    std::string path_;
};

} // namespace

FakeWorkbook& FakeWorkbooks::add(const std::string& path, std::vector<FakeSheet> sheets) {
    FakeWorkbook& book = books[path];
    book.sheets = std::move(sheets);
    return book;
}

WorkbookOpener FakeWorkbooks::opener() {
    return [this](const std::string& path) { return open(path); };
}

std::unique_ptr<WorkbookReader> FakeWorkbooks::open(const std::string& path) {
    const auto found = books.find(path);
    if (found == books.end())
        throw WorkbookError("Not a workbook: " + path);
    FakeWorkbook& book = found->second;
    if (!book.openError.empty() && book.openFailures != 0) {
        if (book.openFailures > 0)
            --book.openFailures;
        throw WorkbookError(book.openError);
    }
    ++opened;
    return std::make_unique<FakeReader>(*this, path);
}

} // namespace quorbel::test

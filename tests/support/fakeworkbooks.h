// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/services.h"
#include "mapping/workbookreader.h"

#include <map>
#include <string>
#include <vector>

namespace quorbel::test {

struct FakeSheet {
    std::string name;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows; // "" is an empty cell
};

// One workbook in memory; a non-empty error text makes that step raise
// WorkbookError with it.
struct FakeWorkbook {
    std::vector<FakeSheet> sheets;
    std::string openError;
    int openFailures = 1; // how many opens fail while openError is set; -1: all
    std::string listError;
    std::string readError;
};

// Hands out readers over in-memory workbooks keyed by path, and counts them so
// a test sees that every reader was closed. An unknown path is not a workbook.
class FakeWorkbooks {
public:
    FakeWorkbook& add(const std::string& path, std::vector<FakeSheet> sheets = {});
    WorkbookOpener opener();

    std::map<std::string, FakeWorkbook> books;
    int opened = 0;                 // readers handed out
    int live = 0;                   // readers not yet destroyed
    std::vector<std::string> reads; // "path|sheet" per sheet read

private:
    std::unique_ptr<WorkbookReader> open(const std::string& path);
};

} // namespace quorbel::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "countingobserver.h"
#include "renamelist/renamelist.h"
#include "renamelist/renamerun.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace quorbel {
namespace {

// Records every call and answers renames from a script, so faults a real
// directory cannot produce on demand can be forced.
class FakeFileSystem : public RenameFileSystem {
public:
    bool renameNeedsWritable() const override { return needsWritable; }
    std::optional<FileAttributes> getAttributes(const std::string& path) override {
        calls.push_back("get " + path);
        const auto found = attributes.find(path);
        if (found == attributes.end())
            return std::nullopt;
        return found->second;
    }
    FsStatus setAttributes(const std::string& path, const FileAttributes& value) override {
        calls.push_back("set " + path + (value.readOnly ? " ro" : " rw"));
        attributes[path] = value;
        return FsStatus::Ok;
    }
    FsStatus renameNoReplace(const std::string& from, const std::string& to) override {
        calls.push_back("rename " + from + " " + to);
        const auto scripted = answers.find(to);
        const FsStatus status = scripted == answers.end() ? FsStatus::Ok : scripted->second;
        if (status == FsStatus::Ok && attributes.count(from)) {
            attributes[to] = attributes[from];
            attributes.erase(from);
        }
        return status;
    }

    bool needsWritable = false;
    std::map<std::string, FileAttributes> attributes;
    std::map<std::string, FsStatus> answers; // by new path; Ok when absent
    std::vector<std::string> calls;
};

using test::CountingObserver;

void addRow(RenameList& list, const std::string& oldName, const std::string& newName,
            const std::string& extension = ".jpg") {
    const int row = list.RowCount();
    list.setRowCount(row + 1);
    list.setCell(RenameList::OldName, row, oldName);
    list.setCell(RenameList::NewName, row, newName);
    list.setCell(RenameList::Extension, row, extension);
    list.setCell(RenameList::Directory, row, "/d/");
}

RenameList emptyList() {
    RenameList list;
    list.setRowCount(1);
    return list;
}

struct FaultCase {
    const char* name;
    FsStatus status;
    const char* word;
};

class RenameRunFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(RenameRunFault, RowGetsTheRealReasonAndAFailureLine) {
    FakeFileSystem fake;
    fake.answers["/d/b.jpg"] = GetParam().status;
    RenameList list = emptyList();
    addRow(list, "a", "b");
    const RenameRunSummary summary = RenameRun(list, fake).run();
    EXPECT_EQ(list.getCell(RenameList::Result, 1), GetParam().word);
    EXPECT_EQ(list.getCell(RenameList::OldName, 1), "a");
    EXPECT_EQ(summary.renamed, 0);
    EXPECT_EQ(summary.failures,
              std::string("/d/a.jpg-->/d/b.jpg 原因:") + GetParam().word + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, RenameRunFault,
    ::testing::Values(FaultCase{"TargetExists", FsStatus::TargetExists, "失败,文件重复"},
                      FaultCase{"SourceMissing", FsStatus::SourceMissing, "失败,文件不存在"},
                      FaultCase{"AccessDenied", FsStatus::AccessDenied, "失败,没有权限"},
                      FaultCase{"ReadOnlyFileSystem", FsStatus::ReadOnlyFileSystem, "失败,只读"},
                      FaultCase{"InvalidName", FsStatus::InvalidName, "失败,名称无效"},
                      FaultCase{"Refused", FsStatus::Refused, "失败,无法改名"}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST(RenameRunCalls, OnlyChangedPlainNamesReachTheFileSystemOncePerRow) {
    FakeFileSystem fake;
    fake.answers["/d/x.jpg"] = FsStatus::AccessDenied;
    RenameList list = emptyList();
    addRow(list, "a", "");
    addRow(list, "a", "a");
    addRow(list, "a", "sub/a");
    addRow(list, "b", "..", "");
    addRow(list, "c", "x");
    addRow(list, "d", "y");
    const RenameRunSummary summary = RenameRun(list, fake).run();
    EXPECT_EQ(fake.calls,
              (std::vector<std::string>{"rename /d/c.jpg /d/x.jpg", "rename /d/d.jpg /d/y.jpg"}));
    EXPECT_EQ(summary.renamed, 1);
    EXPECT_EQ(list.getCell(RenameList::OldName, 6), "y");
}

TEST(RenameRunCalls, ReportsProgressAfterEveryRowAndRefreshesTheViewOnce) {
    FakeFileSystem fake;
    RenameList list = emptyList();
    for (int i = 0; i < 5; ++i)
        addRow(list, "a" + std::to_string(i), "b" + std::to_string(i));
    CountingObserver observer;
    list.setObserver(&observer);
    std::vector<int> progress;
    RenameRun(list, fake).run([&progress](int done) { progress.push_back(done); });
    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(observer.changes, 1);
    list.setObserver(nullptr);
}

// Where the platform needs the read-only mark lifted, it is lifted for the
// rename only and put back on whichever name holds the file afterwards.
struct AttributeCase {
    const char* name;
    bool readOnly;
    FsStatus rename;
    std::vector<std::string> calls;
};

class RenameRunAttributes : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(RenameRunAttributes, ReadOnlyMarkIsRestored) {
    const AttributeCase& c = GetParam();
    FakeFileSystem fake;
    fake.needsWritable = true;
    fake.attributes["/d/a.jpg"] = FileAttributes{0x21, c.readOnly};
    fake.answers["/d/b.jpg"] = c.rename;
    RenameList list = emptyList();
    addRow(list, "a", "b");
    RenameRun(list, fake).run();
    EXPECT_EQ(fake.calls, c.calls);
    const std::string holder = c.rename == FsStatus::Ok ? "/d/b.jpg" : "/d/a.jpg";
    EXPECT_EQ(fake.attributes.at(holder).readOnly, c.readOnly);
    EXPECT_EQ(fake.attributes.at(holder).bits, 0x21u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RenameRunAttributes,
    ::testing::Values(AttributeCase{"ReadOnlyRenamed",
                                    true,
                                    FsStatus::Ok,
                                    {"get /d/a.jpg", "set /d/a.jpg rw", "rename /d/a.jpg /d/b.jpg",
                                     "set /d/b.jpg ro"}},
                      AttributeCase{"ReadOnlyRefused",
                                    true,
                                    FsStatus::TargetExists,
                                    {"get /d/a.jpg", "set /d/a.jpg rw", "rename /d/a.jpg /d/b.jpg",
                                     "set /d/a.jpg ro"}},
                      AttributeCase{"WritableUntouched",
                                    false,
                                    FsStatus::Ok,
                                    {"get /d/a.jpg", "rename /d/a.jpg /d/b.jpg"}}),
    [](const ::testing::TestParamInfo<AttributeCase>& info) {
        return std::string(info.param.name);
    });

TEST(RenameRunAttributesMissing, MissingFileIsStillAttemptedAndNothingIsSet) {
    FakeFileSystem fake;
    fake.needsWritable = true;
    fake.answers["/d/b.jpg"] = FsStatus::SourceMissing;
    RenameList list = emptyList();
    addRow(list, "a", "b");
    RenameRun(list, fake).run();
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"get /d/a.jpg", "rename /d/a.jpg /d/b.jpg"}));
    EXPECT_EQ(list.getCell(RenameList::Result, 1), "失败,文件不存在");
}

} // namespace
} // namespace quorbel

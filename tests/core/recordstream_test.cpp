// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/recordstream.h"

#include "tempdir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <string>
#include <vector>

namespace quorbel {
namespace {

struct StreamCase {
    const char* name;
    std::string text;
    bool nulSeparated;
    std::vector<std::string> records;
};

std::vector<std::string> readAll(RecordStream& stream) {
    std::vector<std::string> records;
    std::string_view record;
    while (stream.next(record))
        records.emplace_back(record);
    return records;
}

class RecordStreamCases : public ::testing::TestWithParam<StreamCase> {};

// Every case through buffers smaller than its records, so records straddle
// reads and the buffer grows, and through the normal buffer; then again after
// a rewind, as the list is read twice.
TEST_P(RecordStreamCases, GivesEveryRecordWhateverTheBuffer) {
    const StreamCase& c = GetParam();
    test::TempDir dir;
    dir.write("list", c.text);
    const std::string path = (dir.path() / "list").string();
    for (std::size_t chunk : {4u, 5u, 7u, 65536u}) {
        RecordStream stream(::open(path.c_str(), O_RDONLY | O_CLOEXEC), c.nulSeparated, chunk);
        EXPECT_EQ(readAll(stream), c.records) << "buffer " << chunk;
        ASSERT_TRUE(stream.rewind());
        EXPECT_EQ(readAll(stream), c.records) << "buffer " << chunk << ", read again";
        EXPECT_EQ(stream.error(), 0);
    }
}

const std::string longName(70000, 'n');

INSTANTIATE_TEST_SUITE_P(
    Lists, RecordStreamCases,
    ::testing::Values(
        StreamCase{"Empty", "", false, {}},
        StreamCase{"LastLineWithoutEnd",
                   "/a/IMG_1.jpg\n/a/IMG_2.jpg",
                   false,
                   {"/a/IMG_1.jpg", "/a/IMG_2.jpg"}},
        StreamCase{"WindowsLineEnds", "a.ab1\r\nb.ab1\r\n", false, {"a.ab1", "b.ab1"}},
        StreamCase{"ByteOrderMarkOnlyBeforeTheFirst",
                   "\xEF\xBB\xBF"
                   "a\n\xEF\xBB\xBF"
                   "b\n",
                   false,
                   {"a", "\xEF\xBB\xBF"
                         "b"}},
        StreamCase{"BlankLinesKept", "a\n\n\nb\n", false, {"a", "", "", "b"}},
        StreamCase{"CarriageReturnInsideKept", "a\rb\n", false, {"a\rb"}},
        StreamCase{"NulSeparated", std::string("a\nb\0c d\0", 8), true, {"a\nb", "c d"}},
        StreamCase{"NulSeparatedKeepsCarriageReturn", std::string("a\r\0", 3), true, {"a\r"}},
        StreamCase{"NonUtf8BytesKept", "\xff\xfe\x80.seq\n", false, {"\xff\xfe\x80.seq"}},
        StreamCase{
            "RecordLongerThanTheBuffer", "x\n" + longName + "\ny", false, {"x", longName, "y"}}),
    [](const ::testing::TestParamInfo<StreamCase>& info) { return info.param.name; });

TEST(RecordStream, AFailedReadEndsTheRecordsWithItsReason) {
    test::TempDir dir;
    RecordStream stream(::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC), false);
    std::string_view record;
    EXPECT_FALSE(stream.next(record));
    EXPECT_EQ(stream.error(), EISDIR);
}

TEST(RecordStream, OpensOnlyWhatCanBeReadTwice) {
    test::TempDir dir;
    dir.write("list", "a\n");
    EXPECT_NE(RecordStream::openFile((dir.path() / "list").string(), false), nullptr);
    errno = 0;
    EXPECT_EQ(RecordStream::openFile("/dev/null", false), nullptr);
    EXPECT_EQ(errno, 0);
    EXPECT_EQ(RecordStream::openFile((dir.path() / "missing").string(), false), nullptr);
    EXPECT_EQ(errno, ENOENT);
}

} // namespace
} // namespace quorbel

#include "images/file_buffer.h"

#include "codec_test_support.h"

#include <gtest/gtest.h>

#include <string_view>

using namespace codec_test;

namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

class FileBufferTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.ok()); }
    TempDir dir;
};

TEST_F(FileBufferTest, ReadsAWholeFileIntoItsOwnCopy) {
    std::vector<std::uint8_t> content(100000);
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    ASSERT_TRUE(WriteBytes(dir.path("f"), content));

    CFileBuffer file;
    ASSERT_EQ(file.openRead(dir.path("f")), 1);
    EXPECT_TRUE(file.isOpen());
    ASSERT_EQ(file.size(), content.size());
    EXPECT_TRUE(std::equal(file.begin(), file.end(), content.begin()));
    // The copy is independent of the file afterwards.
    ASSERT_TRUE(WriteBytes(dir.path("f"), Bytes("changed")));
    EXPECT_EQ(file.data()[1], content[1]);

    EXPECT_EQ(file.close(), 1);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.size(), 0u);
    EXPECT_EQ(file.data(), nullptr);

    ASSERT_TRUE(WriteBytes(dir.path("empty"), {}));
    ASSERT_EQ(file.openRead(dir.path("empty")), 1);
    EXPECT_EQ(file.size(), 0u);
}

TEST_F(FileBufferTest, UnreadablePathsLeaveItClosed) {
    CFileBuffer file;
    ASSERT_TRUE(WriteBytes(dir.path("f"), Bytes("abc")));
    ASSERT_EQ(file.openRead(dir.path("f")), 1);
    // A failed open closes what was open before.
    std::filesystem::create_directory(dir.path("folder"));
    for (const std::string& path : {dir.path("missing"), dir.path("folder"), std::string()}) {
        EXPECT_EQ(file.openRead(path), 0) << path;
        EXPECT_FALSE(file.isOpen());
        EXPECT_EQ(file.size(), 0u);
    }
}

TEST_F(FileBufferTest, MemoryBlockIsUsedInPlace) {
    const std::uint8_t block[5] = {1, 2, 3, 4, 5};
    CFileBuffer file;
    ASSERT_EQ(file.openMemory(block, sizeof block), 1);
    EXPECT_EQ(file.data(), block);
    EXPECT_EQ(file.end(), block + 5);
    EXPECT_EQ(file.write("x", 1), 0); // not open for writing
    EXPECT_EQ(file.openMemory(nullptr, 3), 0);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.openMemory(nullptr, 0), 1);
    EXPECT_EQ(file.size(), 0u);
}

TEST_F(FileBufferTest, WriteTruncatesWhileWriteKeepOverwritesInPlace) {
    const std::string path = dir.path("w");
    ASSERT_TRUE(WriteBytes(path, Bytes("abcdefgh")));
    CFileBuffer file;
    ASSERT_EQ(file.openWrite(path), 1);
    ASSERT_EQ(file.write("XY", 2), 1);
    ASSERT_EQ(file.close(), 1);
    EXPECT_EQ(ReadBytes(path), Bytes("XY"));

    ASSERT_TRUE(WriteBytes(path, Bytes("abcdefgh")));
    ASSERT_EQ(file.openWriteKeep(path), 1);
    ASSERT_EQ(file.write("XY", 2), 1);
    ASSERT_EQ(file.seekToEnd(), 1);
    ASSERT_EQ(file.write("!", 1), 1);
    ASSERT_EQ(file.close(), 1);
    EXPECT_EQ(ReadBytes(path), Bytes("XYcdefgh!"));

    // Both create missing files; neither creates missing folders.
    ASSERT_EQ(file.openWrite(dir.path("new1")), 1);
    file.close();
    ASSERT_EQ(file.openWriteKeep(dir.path("new2")), 1);
    file.close();
    EXPECT_TRUE(std::filesystem::exists(dir.path("new1")));
    EXPECT_TRUE(std::filesystem::exists(dir.path("new2")));
    EXPECT_EQ(file.openWrite(dir.path("no/such/folder")), 0);
    EXPECT_EQ(file.openWriteKeep(dir.path("no/such/folder")), 0);
    EXPECT_EQ(file.seekToEnd(), 0);
}

TEST_F(FileBufferTest, WriteFailuresAreReported) {
    // Buffered bytes that cannot be flushed make close fail.
    CFileBuffer full;
    ASSERT_EQ(full.openWrite("/dev/full"), 1);
    EXPECT_EQ(full.write("abc", 3), 1);
    EXPECT_EQ(full.close(), 0);

    // A plain file that can take only part of the data.
    const std::vector<std::uint8_t> block(64 * 1024, 0x42);
    CFileBuffer file;
    ASSERT_EQ(file.openWrite(dir.path("limited")), 1);
    int ok = 1;
    {
        FileSizeLimit limit(10000);
        ASSERT_TRUE(limit.ok());
        ok = file.write(block.data(), block.size());
        ok = file.close() && ok;
    }
    EXPECT_EQ(ok, 0);
    EXPECT_LE(std::filesystem::file_size(dir.path("limited")), 10000u);
}

} // namespace

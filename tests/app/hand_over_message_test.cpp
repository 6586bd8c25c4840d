#include "app/hand_over_message.h"
#include "platform/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

using handover::OpenRequestReader;
using State = OpenRequestReader::State;

namespace {

std::string header(std::size_t length) {
    std::string h("MRL1");
    for (int shift = 24; shift >= 0; shift -= 8)
        h += static_cast<char>((length >> shift) & 0xFF);
    return h;
}

} // namespace

TEST(HandOverMessage, ARequestArrivingInPiecesGivesItsPath) {
    const std::string path = "/home/u/Bilder/ä 1.jpg";
    const std::string request = handover::EncodeOpenRequest(path);
    ASSERT_EQ(request, header(path.size()) + path);
    for (const std::size_t piece : {std::size_t{1}, std::size_t{3}, request.size()}) {
        OpenRequestReader reader;
        for (std::size_t at = 0; at < request.size(); at += piece) {
            EXPECT_EQ(reader.state(), State::NeedMore) << piece;
            reader.feed(request.data() + at, std::min(piece, request.size() - at));
        }
        EXPECT_EQ(reader.state(), State::Complete) << piece;
        EXPECT_EQ(reader.path(), path) << piece;
    }
    // The longest path fits; one byte more is never sent.
    EXPECT_FALSE(handover::EncodeOpenRequest(std::string(handover::kMaxPathBytes, 'a')).empty());
    EXPECT_TRUE(handover::EncodeOpenRequest(std::string(handover::kMaxPathBytes + 1, 'a')).empty());
}

TEST(HandOverMessage, MalformedRequestsAreRefusedWithoutWaitingForMore) {
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"another program's greeting", "GET / HTTP/1.1\r\n"},
        {"an empty path", header(0)},
        {"a length past the bound", header(handover::kMaxPathBytes + 1)},
        {"a length of 4 GB", header(0xFFFFFFFFu)},
        {"bytes after the request", header(2) + "/a" + "/b"},
    };
    for (const Case& c : cases) {
        OpenRequestReader reader;
        EXPECT_EQ(reader.feed(c.bytes.data(), c.bytes.size()), State::Invalid) << c.what;
        EXPECT_TRUE(reader.path().empty()) << c.what;
        // Nothing fed afterwards brings it back.
        EXPECT_EQ(reader.feed("x", 1), State::Invalid) << c.what;
    }
}

TEST(HandOverMessage, OnlyAnAbsolutePathToAnExistingFileMayBeOpened) {
    using handover::PathProblem;
    TempDir temp;
    WriteBytes(temp.file("p.png"), "x");
    std::filesystem::create_directory(temp.file("folder"));
    std::filesystem::create_symlink(temp.file("p.png"), temp.file("link.png"));
    struct Case {
        std::string path;
        PathProblem expected;
    };
    const Case cases[] = {
        {temp.file("p.png"), PathProblem::None},
        {temp.file("link.png"), PathProblem::None},
        {"", PathProblem::Empty},
        {"p.png", PathProblem::NotAbsolute},
        {"../p.png", PathProblem::NotAbsolute},
        {temp.file("p\n.png"), PathProblem::ControlCharacter},
        {std::string("/tmp/a\0b", 8), PathProblem::ControlCharacter},
        {temp.file("gone.png"), PathProblem::Missing},
        {temp.file("folder"), PathProblem::NotAFile},
        {"/dev/null", PathProblem::NotAFile},
        {"/" + std::string(handover::kMaxPathBytes, 'a'), PathProblem::TooLong},
    };
    for (const Case& c : cases)
        EXPECT_EQ(handover::CheckPicturePath(c.path), c.expected) << c.path;
}

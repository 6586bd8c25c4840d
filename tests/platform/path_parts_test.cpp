#include "platform/path_parts.h"

#include <gtest/gtest.h>

namespace {

TEST(PathParts, SplitPathTable) {
    struct Case {
        const char* path;
        const char* folder;
        const char* name;
        const char* ext;
    };
    const Case cases[] = {
        {"/home/u/bmp/20240105090307.bmp", "/home/u/bmp/", "20240105090307", ".bmp"},
        {"dir/a.tar.gz", "dir/", "a.tar", ".gz"},
        {"/home/u/bmp/.ThumbNail", "/home/u/bmp/", ".ThumbNail", ""},
        {"..hidden.txt", "", "..hidden", ".txt"},
        {"name", "", "name", ""},
        {"name.", "", "name", "."},
        {"/a.b/c", "/a.b/", "c", ""},
        {"/a/b/", "/a/b/", "", ""},
        {"/a/..", "/a/", "..", ""},
        {"", "", "", ""},
        {"画像/写真.JPG", "画像/", "写真", ".JPG"},
    };
    for (const Case& c : cases) {
        const PathParts p = SplitPath(c.path);
        EXPECT_EQ(p.folder, c.folder) << c.path;
        EXPECT_EQ(p.name, c.name) << c.path;
        EXPECT_EQ(p.extension, c.ext) << c.path;
        EXPECT_EQ(p.folder + p.name + p.extension, c.path);
    }
}

TEST(PathParts, JoinPathPutsExactlyOneSlash) {
    EXPECT_EQ(JoinPath("/home/u/bmp", "ThumbNail"), "/home/u/bmp/ThumbNail");
    EXPECT_EQ(JoinPath("/home/u/bmp/", "ThumbNail"), "/home/u/bmp/ThumbNail");
    EXPECT_EQ(JoinPath("/home/u/bmp//", "/ThumbNail"), "/home/u/bmp/ThumbNail");
    EXPECT_EQ(JoinPath("/", "etc"), "/etc");
    EXPECT_EQ(JoinPath("", "file.csv"), "file.csv");
    EXPECT_EQ(JoinPath("rel", "file.csv"), "rel/file.csv");
}

TEST(PathParts, ExtensionEqualsNoCase) {
    EXPECT_TRUE(ExtensionEqualsNoCase("/x/PIC.BMP", ".bmp"));
    EXPECT_TRUE(ExtensionEqualsNoCase("/x/pic.Jpeg", "JPEG"));
    EXPECT_FALSE(ExtensionEqualsNoCase("/x/pic.jpeg", ".jpg"));
    EXPECT_FALSE(ExtensionEqualsNoCase("/x.bmp/pic", ".bmp"));
    EXPECT_FALSE(ExtensionEqualsNoCase("/x/.bmp", ".bmp"));
    EXPECT_FALSE(ExtensionEqualsNoCase("/x/pic.bmp", ""));
}

} // namespace

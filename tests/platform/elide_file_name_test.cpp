#include "platform/elide_file_name.h"

#include "platform/utf8.h"

#include <gtest/gtest.h>

namespace {

// Every character ten pixels wide.
int TenPerChar(std::string_view s) { return static_cast<int>(Utf8Length(s)) * 10; }

TEST(ElideFileName, Table) {
    struct Case {
        const char* name;
        int maxWidth;
        const char* expected;
    };
    const Case cases[] = {
        {"20261210233945.jpg", 180, "20261210233945.jpg"},   // fits exactly
        {"20261210233945.jpg", 179, "202612…233945.jpg"},    // two characters give way to the ellipsis
        {"20261210233945.jpg", 100, "202…45.jpg"},
        {"20261210233945.jpeg", 100, "20…45.jpeg"},
        {"20261210233945.jpg", 50, "….jpg"},                // only the extension is left
        {"20261210233945.jpg", 10, "….jpg"},                // not even that fits: still the extension
        {"no_extension_at_all", 100, "no_ex…_all"},
        {".hidden_picture", 80, ".hid…ure"},                // a leading dot is not an extension
        {"archive.tar.gz", 90, "arc…ar.gz"},                // the last dot decides
        {"顕微鏡の写真ですね.png", 100, "顕微鏡…すね.png"},  // whole UTF-8 characters only
        {"", 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ElideFileName(c.name, c.maxWidth, TenPerChar), c.expected) << c.name << " in " << c.maxWidth;
}

} // namespace

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

// The logic library must build and run without Qt or GStreamer.
TEST(CorePurity, NoLogicSourceIncludesQtOrGStreamer) {
    std::ifstream list(MIRELTA_CORE_SOURCE_LIST);
    ASSERT_TRUE(list) << "missing " << MIRELTA_CORE_SOURCE_LIST;
    const std::regex forbidden(
        R"(^\s*#\s*include\s*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/[^>"]*|gst/[^>"]*|glib[^>"]*)[>"])");
    std::vector<std::string> offenders;
    std::string path;
    int files = 0;
    while (std::getline(list, path)) {
        if (path.empty())
            continue;
        std::ifstream src(path);
        ASSERT_TRUE(src) << path;
        ++files;
        std::string line;
        int n = 0;
        while (std::getline(src, line)) {
            ++n;
            if (std::regex_search(line, forbidden))
                offenders.push_back(path + ":" + std::to_string(n) + ": " + line);
        }
    }
    EXPECT_GT(files, 0);
    for (const auto& o : offenders)
        ADD_FAILURE() << o;
}

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// Folders include downward only: the main window's folder sits on top, and nothing
// below it may reach up into it, whether the file is logic, painting or a window.
TEST(Layering, NoFolderBelowTheApplicationIncludesFromIt) {
    const fs::path src = fs::path(MIRELTA_SOURCE_DIR) / "src";
    const std::regex upward(R"(^\s*#\s*include\s*"app/)");
    std::vector<std::string> offenders;
    int files = 0;
    for (const char* folder : {"platform", "model", "settings", "calib", "view", "capture", "images"}) {
        ASSERT_TRUE(fs::is_directory(src / folder)) << folder;
        for (const auto& entry : fs::recursive_directory_iterator(src / folder)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".h" && ext != ".cpp")
                continue;
            ++files;
            std::ifstream in(entry.path());
            std::string line;
            for (int n = 1; std::getline(in, line); ++n)
                if (std::regex_search(line, upward))
                    offenders.push_back(fs::relative(entry.path(), src).string() + ":" + std::to_string(n) +
                                        ": " + line);
        }
    }
    EXPECT_GT(files, 0);
    for (const std::string& o : offenders)
        ADD_FAILURE() << o;
}

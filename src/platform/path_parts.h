#pragma once
#include <string>
#include <string_view>

// A path cut into its folder (with its trailing '/'), its file name without the
// extension, and the extension (with its dot).
struct PathParts {
    std::string folder;
    std::string name;
    std::string extension;
};

// "dir/a.tar.gz" -> {"dir/", "a.tar", ".gz"}. The extension is the text from the last
// dot of the last component; a name that starts with its only dot (".ThumbNail") or
// consists of dots only ("..") has none.
PathParts SplitPath(std::string_view path);

// folder + '/' + name with exactly one '/' between them. An empty folder gives the
// name alone (it stays relative); the root folder gives "/name".
std::string JoinPath(std::string_view folder, std::string_view name);

// True when the extension of path equals ext without regard to ASCII case.
// ext may be given with or without its dot (".bmp" or "bmp").
bool ExtensionEqualsNoCase(std::string_view path, std::string_view ext);

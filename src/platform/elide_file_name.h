#pragma once
#include <functional>
#include <string>
#include <string_view>

// A file name shortened to fit `maxWidth`, as `width` measures a text: characters from
// the middle of the name give way to "…" while its start, its end and the extension (from
// the last dot) stay whole, so "20261210233945.jpg" becomes "2026121…3945.jpg" rather
// than losing the ".jpg". A name that fits comes back unchanged; when not even "…" and
// the extension fit, that is what comes back, the extension being what tells the files
// apart. Works on whole UTF-8 characters.
std::string ElideFileName(std::string_view name, int maxWidth, const std::function<int(std::string_view)>& width);

#include "platform/path_parts.h"

#include "platform/ascii.h"

PathParts SplitPath(std::string_view path) {
    PathParts parts;
    const size_t slash = path.rfind('/');
    const size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    parts.folder.assign(path.substr(0, nameStart));
    const std::string_view file = path.substr(nameStart);

    const size_t dot = file.rfind('.');
    const bool onlyDots = file.find_first_not_of('.') == std::string_view::npos;
    if (dot == std::string_view::npos || dot == 0 || onlyDots) {
        parts.name.assign(file);
    } else {
        parts.name.assign(file.substr(0, dot));
        parts.extension.assign(file.substr(dot));
    }
    return parts;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    while (!name.empty() && name.front() == '/')
        name.remove_prefix(1);
    if (folder.empty())
        return std::string(name);
    std::string_view base = folder;
    while (!base.empty() && base.back() == '/')
        base.remove_suffix(1);
    std::string out(base);
    out += '/';
    out += name;
    return out;
}

bool ExtensionEqualsNoCase(std::string_view path, std::string_view ext) {
    const std::string actual = SplitPath(path).extension;
    if (actual.empty())
        return ext.empty() || ext == ".";
    std::string_view wanted = ext;
    if (!wanted.empty() && wanted.front() == '.')
        wanted.remove_prefix(1);
    return EqualsNoCase(std::string_view(actual).substr(1), wanted);
}

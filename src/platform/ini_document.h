#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of an INI file held as its lines, each with its exact bytes, so that an
// edit rewrites only the line it concerns and leaves comments, spacing, unknown keys,
// other sections and line ends as they were.
//
// Reading rules: "[name]" starts a section (the name is the text up to the last ']' on
// the line, trimmed); "key=value" is a key (key up to the first '=', both trimmed; a value
// in matching double quotes loses them); lines whose first non-blank character is ';'
// are comments; lines before the first section belong to none. Names are compared
// without regard to ASCII case; the first matching section and, inside it, the first
// matching key win. CRLF and LF lines are both read; a UTF-8 byte-order mark is skipped.
class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(std::string_view text);

    // The whole text, byte for byte as read plus the edits made.
    std::string text() const;
    bool empty() const { return m_lines.empty(); }

    // The value of key in the first section named section, or nothing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Edits; each returns true when the text changed. The names and the value must pass
    // the checks below (the callers check them first).
    // set: updates the first occurrence in place, else adds the key after the last key of
    // the section, else adds the section at the end of the text.
    bool set(std::string_view section, std::string_view key, std::string_view value);
    // Removes every line of key in the first section of that name (so that no later
    // duplicate shows through).
    bool removeKey(std::string_view section, std::string_view key);
    // Removes every section of that name with all its lines.
    bool removeSection(std::string_view section);

    // What can be written so that it reads back as itself. Names are expected trimmed.
    static bool IsWritableSection(std::string_view section);
    static bool IsWritableKey(std::string_view key);
    static bool IsWritableValue(std::string_view value);

private:
    enum class Kind : unsigned char { Other, Blank, Section, Key };
    struct Line {
        std::string raw;        // the line's bytes with its line end
        size_t contentEnd = 0;  // raw without the line end
        size_t valueStart = 0;  // key lines: the byte after '='
        Kind kind = Kind::Other;
        std::string name;       // section or key name, trimmed
    };

    static Line MakeLine(std::string raw, bool first);
    void ensureLastLineEnded();
    // Index of the first section header named section, or npos.
    size_t findSection(std::string_view section) const;
    // One past the last line of the section whose header is at index header.
    size_t sectionEnd(size_t header) const;
    size_t findKey(size_t header, std::string_view key) const;

    std::vector<Line> m_lines;
    std::string m_eol = "\n"; // line end for new lines: the file's own (CRLF or LF)
};

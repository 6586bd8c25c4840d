#pragma once
#include <cstddef>
#include <string_view>

// Length in bytes of the UTF-8 character at the start of s: 1 to 4 for a well-formed
// sequence, 1 for a stray or broken byte (which then counts as one character).
size_t Utf8CharBytes(std::string_view s);

// Number of characters in s, counted as Utf8CharBytes does.
size_t Utf8Length(std::string_view s);

// The first maxChars characters of s; never ends inside a UTF-8 sequence.
std::string_view Utf8Prefix(std::string_view s, size_t maxChars);

#pragma once
#include <optional>
#include <string>
#include <string_view>

// Texts inside the program are UTF-8; files meant for other programs (CSV) use the
// character set of the user's locale. Conversions never lose the rest of a text:
// a character the target cannot represent becomes '?', and so does every byte of the
// input that is not valid in the source character set.

// Converts between two iconv character sets. Nothing when iconv does not know one of them.
std::optional<std::string> ConvertCharset(std::string_view text, const char* from, const char* to);

// The character set of the current locale (nl_langinfo(CODESET)), e.g. "UTF-8", "EUC-JP".
std::string LocaleCharset();
// True when the current locale's character set is UTF-8.
bool LocaleIsUtf8();

// UTF-8 to the locale's character set and back; unchanged in a UTF-8 locale.
// Should iconv lack the locale's character set, ASCII is kept and every other
// character becomes '?'.
std::string Utf8ToLocale(std::string_view text);
std::string LocaleToUtf8(std::string_view text);

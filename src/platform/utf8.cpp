#include "platform/utf8.h"

size_t Utf8CharBytes(std::string_view s) {
    if (s.empty())
        return 0;
    const unsigned char lead = static_cast<unsigned char>(s[0]);
    size_t len = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        len = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        len = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        len = 4;
    if (len > s.size())
        return 1;
    for (size_t i = 1; i < len; ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80)
            return 1;
    return len;
}

size_t Utf8Length(std::string_view s) {
    size_t n = 0;
    while (!s.empty()) {
        s.remove_prefix(Utf8CharBytes(s));
        ++n;
    }
    return n;
}

std::string_view Utf8Prefix(std::string_view s, size_t maxChars) {
    size_t pos = 0;
    for (size_t n = 0; n < maxChars && pos < s.size(); ++n)
        pos += Utf8CharBytes(s.substr(pos));
    return s.substr(0, pos);
}

#include "platform/charset.h"

#include "platform/ascii.h"

#include <cerrno>
#include <iconv.h>
#include <langinfo.h>

namespace {

class Iconv {
public:
    Iconv(const char* from, const char* to) : m_cd(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok())
            iconv_close(m_cd);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_cd; }
    void reset() const { iconv(m_cd, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t m_cd;
};

// Converts the whole of text; false when some of it could not be converted.
bool ConvertAll(const Iconv& cd, std::string_view text, std::string& out) {
    cd.reset();
    char* in = const_cast<char*>(text.data()); // iconv does not write through it
    size_t inLeft = text.size();
    char buf[256];
    for (;;) {
        char* o = buf;
        size_t oLeft = sizeof buf;
        const size_t r = inLeft ? iconv(cd.get(), &in, &inLeft, &o, &oLeft)
                                : iconv(cd.get(), nullptr, nullptr, &o, &oLeft);
        out.append(buf, static_cast<size_t>(o - buf));
        if (r != static_cast<size_t>(-1)) {
            if (inLeft == 0 && o == buf)
                return true;
            continue; // more input, or the final shift sequence was flushed
        }
        if (errno != E2BIG)
            return false;
    }
}

// Length of the character at the start of text in the source character set: the
// shortest prefix that converts on its own (to UTF-8, which holds every character).
// 0 when no prefix of up to 4 bytes is a whole character (an invalid byte).
size_t CharLength(const Iconv& toUtf8, std::string_view text) {
    for (size_t n = 1; n <= 4 && n <= text.size(); ++n) {
        std::string ignored;
        if (ConvertAll(toUtf8, text.substr(0, n), ignored))
            return n;
    }
    return 0;
}

std::string QuestionMarkIn(const char* charset) {
    Iconv cd("ASCII", charset);
    std::string q;
    if (!cd.ok() || !ConvertAll(cd, "?", q) || q.empty())
        return "?";
    return q;
}

std::string AsciiOnly(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        out += c < 0x80 ? static_cast<char>(c) : '?';
        ++i;
        // One '?' per UTF-8 character rather than per byte.
        while (c >= 0xC0 && i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            ++i;
    }
    return out;
}

} // namespace

std::optional<std::string> ConvertCharset(std::string_view text, const char* from, const char* to) {
    Iconv cd(from, to);
    Iconv toUtf8(from, "UTF-8");
    if (!cd.ok() || !toUtf8.ok())
        return std::nullopt;
    const std::string question = QuestionMarkIn(to);

    std::string out;
    out.reserve(text.size() + text.size() / 2);
    char buf[1024];
    char* in = const_cast<char*>(text.data()); // iconv does not write through it
    size_t inLeft = text.size();
    while (inLeft > 0) {
        char* o = buf;
        size_t oLeft = sizeof buf;
        const size_t r = iconv(cd.get(), &in, &inLeft, &o, &oLeft);
        out.append(buf, static_cast<size_t>(o - buf));
        if (r != static_cast<size_t>(-1) || errno == E2BIG)
            continue;
        // EILSEQ (invalid input, or a character the target lacks) or EINVAL (input
        // ends inside a character): put a '?' and go on after the offending character.
        const std::string_view rest(in, inLeft);
        const size_t len = errno == EINVAL ? inLeft : CharLength(toUtf8, rest);
        out += question;
        const size_t skip = len ? len : 1;
        in += skip;
        inLeft -= skip;
        cd.reset();
    }
    char* o = buf;
    size_t oLeft = sizeof buf;
    if (iconv(cd.get(), nullptr, nullptr, &o, &oLeft) != static_cast<size_t>(-1))
        out.append(buf, static_cast<size_t>(o - buf)); // closing shift sequence, if any
    return out;
}

std::string LocaleCharset() {
    const char* cs = nl_langinfo(CODESET);
    return cs && *cs ? cs : "ANSI_X3.4-1968";
}

bool LocaleIsUtf8() {
    const std::string cs = LocaleCharset();
    return EqualsNoCase(cs, "UTF-8") || EqualsNoCase(cs, "UTF8");
}

std::string Utf8ToLocale(std::string_view text) {
    if (LocaleIsUtf8())
        return std::string(text);
    const std::string cs = LocaleCharset();
    if (auto converted = ConvertCharset(text, "UTF-8", cs.c_str()))
        return std::move(*converted);
    return AsciiOnly(text);
}

std::string LocaleToUtf8(std::string_view text) {
    if (LocaleIsUtf8())
        return std::string(text);
    const std::string cs = LocaleCharset();
    if (auto converted = ConvertCharset(text, cs.c_str(), "UTF-8"))
        return std::move(*converted);
    return AsciiOnly(text);
}

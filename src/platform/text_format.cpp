#include "platform/text_format.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <vector>

namespace {

// The "C" locale object; glibc hands out its built-in one, so nothing is allocated.
locale_t CLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

// Switches this thread to the "C" locale for the lifetime of the object.
class CLocaleScope {
public:
    CLocaleScope() : m_old(CLocale() ? uselocale(CLocale()) : static_cast<locale_t>(nullptr)) {}
    ~CLocaleScope() {
        if (m_old)
            uselocale(m_old);
    }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t m_old;
};

std::string StripZeros(std::string s) {
    if (s.find('.') == std::string::npos)
        return s; // "inf", "nan": nothing to strip
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    if (s == "-0")
        s = "0";
    return s;
}

} // namespace

std::string StrFormatV(const char* fmt, std::va_list args) {
    CLocaleScope c;
    char small[256];
    std::va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(small, sizeof small, fmt, copy);
    va_end(copy);
    if (n < 0)
        return std::string();
    if (static_cast<size_t>(n) < sizeof small)
        return std::string(small, static_cast<size_t>(n));
    std::vector<char> big(static_cast<size_t>(n) + 1);
    std::vsnprintf(big.data(), big.size(), fmt, args);
    return std::string(big.data(), static_cast<size_t>(n));
}

std::string StrFormat(const char* fmt, ...) {
    std::va_list args;
    va_start(args, fmt);
    std::string s = StrFormatV(fmt, args);
    va_end(args);
    return s;
}

double StrToDoubleC(const char* text, char** end) {
    if (CLocale())
        return strtod_l(text, end, CLocale());
    return std::strtod(text, end);
}

std::string EditNumber(double v) { return StripZeros(StrFormat("%f", v)); }

std::string EditNumber2(double v) { return StripZeros(StrFormat("%.2f", v)); }

std::string DefaultFileName(const std::tm& local, const char* ext) {
    return StrFormat("%4d%02d%02d%02d%02d%02d%s", local.tm_year + 1900, local.tm_mon + 1,
                     local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, ext ? ext : "");
}

std::string DefaultFileNameNow(const char* ext) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DefaultFileName(local, ext);
}

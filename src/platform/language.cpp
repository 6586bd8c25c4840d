#include "platform/language.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

bool g_bJapanese = false;

bool IsJapaneseLocaleValue(const char* value) {
    if (!value || value[0] != 'j' || value[1] != 'a')
        return false;
    // "ja", "ja_JP.UTF-8", "ja.eucJP", "ja_JP@...", and the old alias "japanese".
    const char next = value[2];
    return next == '\0' || next == '_' || next == '.' || next == '@' || std::strncmp(value, "japanese", 8) == 0;
}

bool DetectJapaneseFromEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = std::getenv(name);
        if (v && *v)
            return IsJapaneseLocaleValue(v);
    }
    return false;
}

bool InitLanguage() {
    g_bJapanese = DetectJapaneseFromEnvironment();
    return g_bJapanese;
}

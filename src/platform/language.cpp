#include "platform/language.h"

#include <cstdlib>
#include <initializer_list>

bool g_bJapanese = false;

bool IsJapaneseLocaleValue(const char* value) {
    return value && value[0] == 'j' && value[1] == 'a';
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

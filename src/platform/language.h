#pragma once

// Process-wide language choice: true when the system language is Japanese.
// Set once at start-up; every text the program chooses follows it.
extern bool g_bJapanese;

// True when a locale value (LC_ALL, LC_MESSAGES or LANG) names Japanese:
// "ja" alone or followed by "_", "." or "@" ("ja_JP.UTF-8"), or "japanese".
bool IsJapaneseLocaleValue(const char* value);
// Reads LC_ALL, LC_MESSAGES and LANG in that order (the first one set decides).
bool DetectJapaneseFromEnvironment();
// Sets g_bJapanese from the environment and returns it.
bool InitLanguage();

// Picks the text the code chooses itself, by g_bJapanese.
inline const char* Tr(const char* english, const char* japanese) {
    return g_bJapanese ? japanese : english;
}

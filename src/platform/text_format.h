#pragma once
#include <cstdarg>
#include <ctime>
#include <string>

// Texts the program formats itself (file contents, labels, edit boxes) always use
// the "C" number format, whatever locale the desktop session sets: a decimal comma
// would break the settings file and the CSV columns.

// printf into a std::string, in the "C" locale.
std::string StrFormat(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string StrFormatV(const char* fmt, std::va_list args) __attribute__((format(printf, 1, 0)));

// strtod in the "C" locale. Text that is not a number gives 0 (and *end == text).
double StrToDoubleC(const char* text, char** end = nullptr);

// Number for an edit box: "%f" without trailing zeros and without a trailing point
// (10.0 -> "10", 0.25 -> "0.25"). A negative zero shows as "0".
std::string EditNumber(double v);
// The same from "%.2f" (2.5 -> "2.5", 3.004 -> "3").
std::string EditNumber2(double v);

// Default file name from a local time: "%4d%02d%02d%02d%02d%02d" plus the extension
// (including its dot, e.g. ".csv").
std::string DefaultFileName(const std::tm& local, const char* ext);
// The same for the current local time.
std::string DefaultFileNameNow(const char* ext);

#pragma once
#include <string>

class CResultList;

// CSV export of the results list: a header line in the current language, then
// one line per row with the four cells exactly as shown, every line ended by
// CR LF. Nothing is quoted: the cells never hold a comma of their own.

// "No.,Type,Result,Unit" or "No.,計測内容,測定値,単位" with CR LF (UTF-8).
std::string CsvHeaderLine(bool japanese);
// The header and every row, as UTF-8.
std::string CsvText(const CResultList& list, bool japanese);

enum class CsvAppendResult {
    Written,
    CannotOpen,  // nothing was written
    WriteFailed, // not every byte found room; the file is as it was
};

// Appends CsvText, converted to the character set of the locale, to the end of
// the file at path, creating it when missing. Earlier content stays: exporting
// twice to one file leaves both exports in it. The file is replaced atomically: on
// failure it holds what it held before, and `error` (when given) receives the errno.
CsvAppendResult AppendCsvFile(const std::string& path, const CResultList& list, bool japanese,
                              int* error = nullptr);

#include "model/result_csv.h"

#include "model/result_list.h"
#include "platform/charset.h"

#include <cstdio>

std::string CsvHeaderLine(bool japanese) {
    return japanese ? "No.,計測内容,測定値,単位\r\n" : "No.,Type,Result,Unit\r\n";
}

std::string CsvText(const CResultList& list, bool japanese) {
    std::string text = CsvHeaderLine(japanese);
    for (const ResultListRow& r : list.rows())
        text += r.number + ',' + r.kind + ',' + r.value + ',' + r.unit + "\r\n";
    return text;
}

CsvAppendResult AppendCsvFile(const std::string& path, const CResultList& list, bool japanese) {
    const std::string bytes = Utf8ToLocale(CsvText(list, japanese));
    // Appending: the operator may collect several exports in one file.
    std::FILE* f = std::fopen(path.c_str(), "ab");
    if (f == nullptr)
        return CsvAppendResult::CannotOpen;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool closed = std::fclose(f) == 0;
    return written && closed ? CsvAppendResult::Written : CsvAppendResult::WriteFailed;
}

#include "model/result_csv.h"

#include "model/result_list.h"
#include "platform/charset.h"

#include "platform/atomic_file.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

std::string CsvHeaderLine(bool japanese) {
    return japanese ? "No.,計測内容,測定値,単位\r\n" : "No.,Type,Result,Unit\r\n";
}

std::string CsvText(const CResultList& list, bool japanese) {
    std::string text = CsvHeaderLine(japanese);
    for (const ResultListRow& r : list.rows())
        text += r.number + ',' + r.kind + ',' + r.value + ',' + r.unit + "\r\n";
    return text;
}

CsvAppendResult AppendCsvFile(const std::string& path, const CResultList& list, bool japanese, int* error) {
    const std::string bytes = Utf8ToLocale(CsvText(list, japanese));
    // Appending: the operator may collect several exports in one file. The file is
    // replaced whole with the earlier exports and this one, so a full disk or a crash
    // never leaves half a row at its end.
    std::string text;
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) {
        std::ifstream in(path, std::ios::binary);
        if (!S_ISREG(st.st_mode) || !in) {
            if (error)
                *error = S_ISREG(st.st_mode) ? EACCES : EISDIR;
            return CsvAppendResult::CannotOpen;
        }
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (!in.eof() && in.fail()) {
            if (error)
                *error = EIO;
            return CsvAppendResult::CannotOpen;
        }
    }
    text += bytes;
    if (WriteFileAtomically(path, text))
        return CsvAppendResult::Written;
    // Nothing of this export reached the file; a missing folder or one refusing new
    // files could not be opened at all.
    const int why = LastWriteError();
    if (error)
        *error = why;
    return why == ENOENT || why == ENOTDIR || why == EACCES || why == EISDIR ? CsvAppendResult::CannotOpen
                                                                              : CsvAppendResult::WriteFailed;
}

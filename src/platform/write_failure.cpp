#include "platform/write_failure.h"

#include "platform/string_table.h"

#include <cerrno>
#include <cstring>

std::string WriteFailureReason(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG: // the file-size limit looks the same to the operator
        return LoadStr(strid::DiskFull);
    case EACCES:
    case EPERM:
    case EROFS:
        return LoadStr(strid::NotWritable);
    case ENOENT:
    case ENOTDIR:
        return LoadStr(strid::FolderMissing);
    default:
    {
        std::string text = LoadStr(strid::WriteError);
        const std::size_t at = text.find("%s");
        if (at != std::string::npos)
            text.replace(at, 2, std::strerror(error != 0 ? error : EIO));
        return text;
    }
    }
}

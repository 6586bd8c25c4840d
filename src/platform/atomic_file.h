#pragma once
#include <string>
#include <string_view>
#include <sys/stat.h>

// Replaces the file at path with data so that a crash or a full disk never leaves a
// half-written file: the data goes to a temporary file in the same folder, is flushed
// to disk and renamed over the old file. An existing file keeps its permission bits
// (and, where allowed, its owner); a new one gets the usual 0666 less the umask.
// A symbolic link is followed: the file it points to is replaced, the link stays.
// A file without write permission is left alone (false).
// On failure the old file is untouched, no temporary file is left, and false is returned.
// When written is given, it receives the status of the new file. Temporary files of
// path that a killed run left behind (their writer process is gone) are removed.
bool WriteFileAtomically(const std::string& path, std::string_view data, struct stat* written = nullptr);
// The errno of the step that made this thread's last WriteFileAtomically fail (ENOSPC,
// EACCES, ENOENT, ...), kept so a message can say why after other calls; 0 after success.
int LastWriteError();

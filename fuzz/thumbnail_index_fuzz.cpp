// Reads an arbitrary file as the thumbnail index of a folder holding a few pictures, and
// checks that only files of that folder are named, that every thumbnail has the list's
// size, and that writing the list back and reading it again gives the same entries.
#include "images/thumbnail_index.h"
#include "images/thumbnail_store.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

std::string g_folder;
const char* const kPictures[] = {"a.bmp", "b.jpg", "..a", "x"};

void RemoveFolder() {
    for (const char* name : kPictures)
        unlink((g_folder + "/" + name).c_str());
    unlink((g_folder + "/ThumbNail").c_str());
    rmdir(g_folder.c_str());
}

const std::string& Folder() {
    static const std::string folder = [] {
        const char* const bases[] = {"/dev/shm", std::getenv("TMPDIR"), "/tmp"};
        for (const char* base : bases) {
            if (!base || !*base)
                continue;
            std::string tmpl = std::string(base) + "/mirelta-thumbnail-fuzz-XXXXXX";
            if (mkdtemp(tmpl.data())) {
                g_folder = tmpl;
                for (const char* name : kPictures) {
                    // Only their existence matters: the index carries the thumbnails.
                    const int fd =
                        open((tmpl + "/" + name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                    if (fd >= 0)
                        close(fd);
                }
                std::atexit(RemoveFolder);
                return tmpl;
            }
        }
        std::abort();
    }();
    return folder;
}

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "thumbnail index fuzz: %s\n", what);
        __builtin_trap();
    }
}

bool InFolder(const std::string& path, const std::string& folder) {
    if (path.compare(0, folder.size() + 1, folder + "/") != 0)
        return false;
    return IsPlainFileName(path.substr(folder.size() + 1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& folder = Folder();
    const std::string index = ThumbnailIndexPath(folder);
    {
        const int fd = open(index.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        Check(fd >= 0, "cannot write the input file");
        Check(write(fd, data, size) == static_cast<ssize_t>(size), "short write of the input file");
        close(fd);
    }
    int records = 0;
    const bool parsed = ParseThumbnailIndex(data, size, [&](const ThumbnailIndexRecord& r) {
        Check(r.bmp >= data && r.bmp + r.bmpSize <= data + size, "entry outside the data");
        ++records;
    });

    CThumbNail list;
    const int loaded = list.LoadIndex(index);
    Check(loaded == (parsed ? 1 : 0), "load and parse disagree");
    Check(list.GetCount() <= records, "more entries than records");
    for (const THUMBNAIL* t = list.At(0); t; t = t->next) {
        Check(InFolder(t->path, folder), "an entry outside the folder");
        Check(t->image.width() == 140 && t->image.height() == 105 && t->image.bitCount() == 24,
              "thumbnail of the wrong size");
    }
    if (list.GetCount() == 0)
        return 0;

    // Written and read again, the entries come back as they were.
    Check(list.SaveIndex(index) == 1, "index not written");
    CThumbNail again;
    Check(again.LoadIndex(index) == 1, "written index not read");
    Check(again.GetCount() == list.GetCount(), "entry count changed");
    for (const THUMBNAIL *a = list.At(0), *b = again.At(0); a && b; a = a->next, b = b->next) {
        Check(a->path == b->path, "path changed");
        Check(std::memcmp(a->image.bits(), b->image.bits(), a->image.byteSize()) == 0,
              "pixels changed");
    }
    return 0;
}

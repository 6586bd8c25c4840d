#include "images/thumbnail_store.h"

#include "images/bmp_codec.h"
#include "images/codec_messages.h"
#include "images/file_buffer.h"
#include "images/resample_nearest.h"
#include "images/thumbnail_index.h"
#include "images/thumbnail_source.h"
#include "platform/atomic_file.h"
#include "platform/charset.h"
#include "platform/node_id.h"
#include "platform/path_parts.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>
#include <vector>

namespace {

constexpr const char* kPictureExtensions[] = {".bmp", ".jpg", ".jpeg", ".gif",
                                              ".png", ".tif", ".tiff"};

bool IsPictureName(const std::string& name) {
    const std::string ext = SplitPath(name).extension;
    return std::any_of(std::begin(kPictureExtensions), std::end(kPictureExtensions),
                       [&](const char* e) { return ext == e; });
}

bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The names in a folder that are not folders, sorted; false when it cannot be listed.
bool ListFolder(const std::string& folder, std::vector<std::string>& names) {
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return false;
    while (const dirent* e = readdir(dir)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        if (e->d_type == DT_DIR)
            continue;
        if (e->d_type == DT_UNKNOWN) {
            struct stat st {};
            if (stat(JoinPath(folder, name).c_str(), &st) == 0 && S_ISDIR(st.st_mode))
                continue;
        }
        names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return true;
}

// A new entry for `path`, its picture still empty; null when memory runs out.
std::unique_ptr<THUMBNAIL> NewEntry(const std::string& path) {
    try {
        auto entry = std::make_unique<THUMBNAIL>();
        entry->path = path;
        return entry;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

} // namespace

int CThumbNail::AddThumbnail(const std::string& path, const CDibImage& picture) {
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0)
        return 0; // nothing to resample from
    std::unique_ptr<THUMBNAIL> entry = NewEntry(path);
    if (!entry || !entry->image.create(thumbWidth, thumbHeight, 24) ||
        !ResampleNearest(picture, {0, 0, picture.width(), picture.height()}, entry->image,
                         {0, 0, thumbWidth, thumbHeight}))
        return 0;
    entry->id = MakeNodeId();
    return AddNode(entry.release());
}

int CThumbNail::AddStoredThumbnail(const std::string& path, const CDibImage& thumbPicture) {
    if (thumbPicture.isNull())
        return 0;
    std::unique_ptr<THUMBNAIL> entry = NewEntry(path);
    if (!entry || !entry->image.create(thumbWidth, thumbHeight, 24))
        return 0;
    if (thumbPicture.bitCount() == 24) {
        entry->image.blitFrom(thumbPicture);
    } else {
        // Other depths 1:1 through the resampler, which converts; only the part that
        // overlaps the thumbnail is taken.
        const int w = std::min<int>(thumbWidth, thumbPicture.width());
        const int h = std::min<int>(thumbHeight, thumbPicture.height());
        if (!ResampleNearest(thumbPicture, {0, 0, w, h}, entry->image, {0, 0, w, h}))
            return 0;
    }
    entry->id = MakeNodeId();
    return AddNode(entry.release());
}

int CThumbNail::AddFromFile(const std::string& path) {
    CDibImage picture;
    // Twice the thumbnail size keeps the nearest-neighbour thumbnail close to one made
    // from the full picture.
    if (!LoadThumbnailSource(path, picture, 2 * thumbWidth, 2 * thumbHeight))
        return 0;
    return AddThumbnail(path, picture);
}

int CThumbNail::RemoveByPath(const std::string& path) {
    if (MoveFirst() == 0)
        return 0;
    for (;;) {
        if (current->path == path) {
            const bool wasLast = current->next == nullptr;
            RemoveCurrent();
            if (wasLast || current == nullptr)
                break;
            continue; // the cursor is on the successor already
        }
        if (current->next == nullptr)
            break;
        current = current->next;
    }
    Renumber();
    return 1;
}

int CThumbNail::SyncWithFolder(const std::string& folder, const SyncProgress& progress,
                               std::vector<std::string>* unreadable) {
    std::vector<std::string> names;
    if (!ListFolder(folder, names)) {
        RemoveAll();
        return 1;
    }
    std::unordered_set<std::string> known;
    for (THUMBNAIL* t = MoveFirst() ? current : nullptr; t; t = t->next)
        known.insert(t->path);
    std::vector<std::string> missing;
    bool anyPicture = false;
    for (const std::string& name : names) {
        if (!IsPictureName(name))
            continue;
        anyPicture = true;
        std::string path = JoinPath(folder, name);
        if (!known.count(path))
            missing.push_back(std::move(path));
    }
    if (!anyPicture) {
        RemoveAll();
        return 1;
    }
    const int total = static_cast<int>(missing.size());
    const CodecMessagesSilenced quiet;
    for (int i = 0; i < total; ++i) {
        if (progress && !progress(i, total))
            break;
        const std::string& path = missing[static_cast<std::size_t>(i)];
        if (!AddFromFile(path) && unreadable)
            unreadable->push_back(path);
    }
    if (progress && total > 0)
        progress(total, total);
    Renumber();
    return 1;
}

int CThumbNail::SaveIndex(const std::string& file) {
    if (count == 0 || MoveFirst() == 0) {
        unlink(file.c_str());
        return 0;
    }
    const THUMBNAIL* node = current;
    std::string name;
    const std::string bytes = BuildThumbnailIndex([&](ThumbnailIndexItem& item) {
        if (!node)
            return false;
        name = Utf8ToLocale(SplitPath(node->path).name + SplitPath(node->path).extension);
        item.name = name;
        item.picture = &node->image;
        node = node->next;
        return true;
    });
    return WriteFileAtomically(file, bytes) ? 1 : 0;
}

int CThumbNail::LoadIndex(const std::string& file) {
    CFileBuffer buffer;
    if (!buffer.openRead(file))
        return 0;
    const std::string folder = SplitPath(file).folder;
    const bool ok =
        ParseThumbnailIndex(buffer.data(), buffer.size(), [&](const ThumbnailIndexRecord& r) {
            const std::string name = LocaleToUtf8(r.storedName);
            // The index may only ever name files of its own folder: Remove and Trash box act on
            // them.
            if (!IsPlainFileName(name))
                return;
            const std::string path = folder + name;
            if (!IsRegularFile(path))
                return;
            CDibImage picture;
            if (!ReadBmp(r.bmp, r.bmpSize, picture))
                return;
            AddStoredThumbnail(path, picture);
        });
    Renumber();
    return ok ? 1 : 0;
}

const THUMBNAIL* CThumbNail::At(int i) const {
    if (i < 0 || i >= count || !current)
        return nullptr;
    const THUMBNAIL* node = current;
    while (node->prev)
        node = node->prev;
    for (; node && i > 0; --i)
        node = node->next;
    return node;
}

int CThumbNail::CountPath(const std::string& path) const {
    const THUMBNAIL* node = At(0);
    int n = 0;
    for (; node; node = node->next)
        n += node->path == path ? 1 : 0;
    return n;
}

#pragma once
#include "platform/guid.h"
#include "platform/ini_document.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>

// The settings file: an INI file read and written with the semantics of the classic
// private-profile functions (see IniDocument for the reading rules).
//
// Reads always see the file's current content: the parsed file is cached and read
// again when its size, modification time or inode changes (and for two seconds after
// a change, when the coarse file-system clock could hide a second one).
//
// Every write outside a Batch replaces the file at once, atomically (temporary file,
// flush, rename; see WriteFileAtomically). Inside a Batch the writes collect in memory
// and are visible to this object's reads; the file is replaced once when the outermost
// Batch ends. Changes another program makes during a Batch are overwritten.
//
// A file that exists but cannot be read (a folder, no permission, larger than
// kMaxFileSize) reads as empty, and writes to it fail without touching it, so a bad
// read never turns into a file holding only the keys written since.
//
// Section and key names are trimmed of blanks and compared without regard to ASCII case.
// One thread at a time.
class Profile {
public:
    static constexpr std::size_t kNoLimit = SIZE_MAX;
    static constexpr std::size_t kMaxFileSize = 16u << 20;

    explicit Profile(std::string path);
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

    const std::string& path() const { return m_path; }

    // Leading blanks, an optional sign and decimal digits; anything after them is ignored
    // ("12abc" reads 12). Text that is not a number reads 0. A missing file, section or key,
    // or an empty value, gives def. Numbers beyond the int range are clamped to it.
    int GetInt(std::string_view section, std::string_view key, int def) const;

    // The value, or def when the key is missing, cut to bufferChars - 1 characters (the
    // buffer counts its terminator; 0 gives an empty text). Characters are UTF-8 code
    // points; a sequence is never split.
    std::string GetString(std::string_view section, std::string_view key, std::string_view def,
                          std::size_t bufferChars = kNoLimit) const;

    // The value converted with strtod in the "C" locale; the default takes the same road
    // after being formatted with "%f". Text that is not a number reads 0; an empty value
    // gives the default. The whole value is read, so every number WriteReal writes (even
    // one with more than 64 digits) reads back.
    double ReadReal(std::string_view section, std::string_view key, double def) const;

    // The GUID in its 32-digit form; a missing key, an empty value or malformed text
    // (not exactly 32 hex digits) gives def.
    GUID ReadGuid(std::string_view section, std::string_view key, const GUID& def) const;

    // Writes return false when nothing was written: the file could not be read or
    // replaced, or the name or value cannot be stored so that it reads back (an empty
    // key, a key with '=' or starting with ';' or '[', a line break or NUL anywhere).
    // A value with blanks at either end, or enclosed in double quotes, is written in
    // double quotes so that it reads back as it was.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInt(std::string_view section, std::string_view key, int value);   // "%d"
    bool WriteReal(std::string_view section, std::string_view key, double value); // "%f", "C" locale
    bool WriteGuid(std::string_view section, std::string_view key, const GUID& value);
    // Removes the key from the first section of that name (every occurrence there).
    bool DeleteKey(std::string_view section, std::string_view key);
    // Removes every section of that name with its keys and comments.
    bool DeleteSection(std::string_view section);

    // Groups writes into one replacement of the file. Batches nest; the outermost one
    // writes the file when it ends (commit() or destruction). The Profile must outlive it.
    class Batch {
    public:
        explicit Batch(Profile& profile);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        // Ends the batch now; for the outermost one, true when the file was written (or
        // nothing had changed). Later calls return true and do nothing.
        bool commit();

    private:
        Profile* m_profile;
        bool m_open = true;
    };

private:
    enum class State { Unknown, Missing, Loaded, Unreadable };
    struct FileId {
        std::uint64_t dev = 0, ino = 0;
        std::int64_t size = 0, mtimeSec = 0, mtimeNsec = 0;
        bool operator==(const FileId&) const = default;
    };

    static FileId IdOf(const struct stat& st);
    void refresh() const;
    void load() const;
    std::optional<std::string> lookup(std::string_view section, std::string_view key) const;
    template <class Edit> bool modify(Edit edit);
    bool flush();

    std::string m_path;
    mutable IniDocument m_doc;
    mutable State m_state = State::Unknown;
    mutable FileId m_id;
    mutable bool m_racy = false; // the file changed so recently that its time may not show the next change
    int m_batchDepth = 0;
    bool m_dirty = false;
};

#include "platform/profile.h"

#include "platform/ascii.h"
#include "platform/atomic_file.h"
#include "platform/text_format.h"
#include "platform/utf8.h"

#include <cerrno>
#include <climits>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// File-system times advance in coarse steps; a change within the same step as the one
// we saw leaves size and time alone when the length stays. Until the file is clearly
// older than that, its content is compared on every read.
bool IsRecent(const struct stat& st) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return st.st_mtim.tv_sec + 2 >= now.tv_sec;
}

int ParseInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1)
            v = static_cast<long long>(INT_MAX) + 1; // clamp; keeps v from overflowing
    }
    if (negative)
        v = -v;
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

} // namespace

Profile::Profile(std::string path) : m_path(std::move(path)) {}

Profile::FileId Profile::IdOf(const struct stat& st) {
    return FileId{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                  static_cast<std::int64_t>(st.st_size), static_cast<std::int64_t>(st.st_mtim.tv_sec),
                  static_cast<std::int64_t>(st.st_mtim.tv_nsec)};
}

void Profile::refresh() const {
    if (m_batchDepth > 0)
        return; // the batch's pending edits are the content
    struct stat st {};
    if (stat(m_path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            m_doc = IniDocument();
            m_state = State::Missing;
        } else {
            m_doc = IniDocument();
            m_state = State::Unreadable;
        }
        return;
    }
    if (m_state == State::Loaded && IdOf(st) == m_id && !m_racy)
        return;
    load();
}

void Profile::load() const {
    const int fd = open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC); // a FIFO must not block us
    struct stat st {};
    if (fd < 0 || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::uint64_t>(st.st_size) > kMaxFileSize) {
        if (fd >= 0)
            close(fd);
        m_doc = IniDocument();
        m_state = (fd < 0 && (errno == ENOENT || errno == ENOTDIR)) ? State::Missing : State::Unreadable;
        return;
    }
    std::string text;
    text.resize(static_cast<size_t>(st.st_size) + 1);
    size_t have = 0;
    bool ok = true;
    for (;;) {
        if (have == text.size()) {
            if (text.size() > kMaxFileSize) {
                ok = false; // grew past the limit while we read
                break;
            }
            text.resize(text.size() * 2 > kMaxFileSize + 1 ? kMaxFileSize + 1 : text.size() * 2);
        }
        const ssize_t n = read(fd, text.data() + have, text.size() - have);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        have += static_cast<size_t>(n);
    }
    close(fd);
    if (!ok) {
        m_doc = IniDocument();
        m_state = State::Unreadable;
        return;
    }
    text.resize(have);
    if (m_state != State::Loaded || text != m_doc.text())
        m_doc = IniDocument(text);
    m_state = State::Loaded;
    m_id = IdOf(st);
    m_racy = IsRecent(st);
}

std::optional<std::string> Profile::lookup(std::string_view section, std::string_view key) const {
    refresh();
    return m_doc.value(TrimBlanks(section), TrimBlanks(key));
}

int Profile::GetInt(std::string_view section, std::string_view key, int def) const {
    const auto v = lookup(section, key);
    if (!v || v->empty())
        return def;
    return ParseInt(*v);
}

std::string Profile::GetString(std::string_view section, std::string_view key, std::string_view def,
                               std::size_t bufferChars) const {
    const auto v = lookup(section, key);
    if (bufferChars == 0)
        return std::string();
    const std::string_view text = v ? std::string_view(*v) : def;
    return std::string(Utf8Prefix(text, bufferChars - 1));
}

double Profile::ReadReal(std::string_view section, std::string_view key, double def) const {
    auto v = lookup(section, key);
    const std::string text = v && !v->empty() ? std::move(*v) : StrFormat("%f", def);
    return StrToDoubleC(text.c_str());
}

GUID Profile::ReadGuid(std::string_view section, std::string_view key, const GUID& def) const {
    const auto v = lookup(section, key);
    if (!v)
        return def;
    return GuidFromText(*v).value_or(def);
}

template <class Edit> bool Profile::modify(Edit edit) {
    refresh();
    if (m_state == State::Unreadable || m_state == State::Unknown)
        return false;
    if (!edit(m_doc))
        return true; // nothing changed, nothing to write
    m_dirty = true;
    if (m_batchDepth > 0)
        return true;
    return flush();
}

bool Profile::flush() {
    if (!m_dirty)
        return true;
    m_dirty = false;
    struct stat st {};
    if (!WriteFileAtomically(m_path, m_doc.text(), &st)) {
        m_state = State::Unknown; // read the file again: it still holds the old content
        return false;
    }
    m_state = State::Loaded;
    m_id = IdOf(st);
    m_racy = IsRecent(st);
    return true;
}

bool Profile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    if (!IniDocument::IsWritableSection(section) || !IniDocument::IsWritableKey(key) ||
        !IniDocument::IsWritableValue(value))
        return false;
    return modify([&](IniDocument& doc) { return doc.set(section, key, value); });
}

bool Profile::WriteInt(std::string_view section, std::string_view key, int value) {
    return WriteString(section, key, StrFormat("%d", value));
}

bool Profile::WriteReal(std::string_view section, std::string_view key, double value) {
    return WriteString(section, key, StrFormat("%f", value));
}

bool Profile::WriteGuid(std::string_view section, std::string_view key, const GUID& value) {
    return WriteString(section, key, GuidToText(value));
}

bool Profile::DeleteKey(std::string_view section, std::string_view key) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    return modify([&](IniDocument& doc) { return doc.removeKey(section, key); });
}

bool Profile::DeleteSection(std::string_view section) {
    section = TrimBlanks(section);
    return modify([&](IniDocument& doc) { return doc.removeSection(section); });
}

Profile::Batch::Batch(Profile& profile) : m_profile(&profile) {
    if (m_profile->m_batchDepth == 0)
        m_profile->refresh();
    ++m_profile->m_batchDepth;
}

Profile::Batch::~Batch() { commit(); }

bool Profile::Batch::commit() {
    if (!m_open)
        return true;
    m_open = false;
    if (--m_profile->m_batchDepth > 0)
        return true;
    return m_profile->flush();
}

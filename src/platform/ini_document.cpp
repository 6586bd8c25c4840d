#include "platform/ini_document.h"

#include "platform/ascii.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string_view Unquote(std::string_view v) {
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
        return v.substr(1, v.size() - 2);
    return v;
}

// A value that would lose blanks or quotes when read back is written inside quotes.
std::string Encode(std::string_view value) {
    const bool needsQuotes = !value.empty() &&
                             (IsBlank(value.front()) || IsBlank(value.back()) ||
                              (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
    if (!needsQuotes)
        return std::string(value);
    std::string q;
    q.reserve(value.size() + 2);
    q += '"';
    q += value;
    q += '"';
    return q;
}

bool HasLineBreakOrNul(std::string_view s) { return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos; }

} // namespace

IniDocument::Line IniDocument::MakeLine(std::string raw, bool first) {
    Line line;
    size_t end = raw.size();
    if (end > 0 && raw[end - 1] == '\n') {
        --end;
        if (end > 0 && raw[end - 1] == '\r')
            --end;
    }
    line.contentEnd = end;
    line.raw = std::move(raw);

    size_t start = 0;
    if (first && std::string_view(line.raw).substr(0, kBom.size()) == kBom)
        start = kBom.size();
    const std::string_view content = std::string_view(line.raw).substr(start, end - start);
    const std::string_view trimmed = TrimBlanks(content);
    if (trimmed.empty()) {
        line.kind = Kind::Blank;
    } else if (trimmed.front() == ';') {
        line.kind = Kind::Other;
    } else if (trimmed.front() == '[') {
        const size_t close = trimmed.rfind(']');
        if (close != std::string_view::npos && close > 0) {
            line.kind = Kind::Section;
            line.name = TrimBlanks(trimmed.substr(1, close - 1));
        }
    } else if (const size_t eq = content.find('='); eq != std::string_view::npos) {
        const std::string_view key = TrimBlanks(content.substr(0, eq));
        if (!key.empty()) {
            line.kind = Kind::Key;
            line.name = key;
            line.valueStart = start + eq + 1;
        }
    }
    return line;
}

IniDocument::IniDocument(std::string_view text) {
    bool eolKnown = false;
    while (!text.empty()) {
        const size_t nl = text.find('\n');
        const size_t len = nl == std::string_view::npos ? text.size() : nl + 1;
        if (!eolKnown && nl != std::string_view::npos) {
            m_eol = nl > 0 && text[nl - 1] == '\r' ? "\r\n" : "\n";
            eolKnown = true;
        }
        m_lines.push_back(MakeLine(std::string(text.substr(0, len)), m_lines.empty()));
        text.remove_prefix(len);
    }
}

std::string IniDocument::text() const {
    size_t total = 0;
    for (const Line& l : m_lines)
        total += l.raw.size();
    std::string out;
    out.reserve(total);
    for (const Line& l : m_lines)
        out += l.raw;
    return out;
}

size_t IniDocument::findSection(std::string_view section) const {
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Kind::Section && EqualsNoCase(m_lines[i].name, section))
            return i;
    return std::string::npos;
}

size_t IniDocument::sectionEnd(size_t header) const {
    size_t i = header + 1;
    while (i < m_lines.size() && m_lines[i].kind != Kind::Section)
        ++i;
    return i;
}

size_t IniDocument::findKey(size_t header, std::string_view key) const {
    const size_t end = sectionEnd(header);
    for (size_t i = header + 1; i < end; ++i)
        if (m_lines[i].kind == Kind::Key && EqualsNoCase(m_lines[i].name, key))
            return i;
    return std::string::npos;
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const {
    const size_t header = findSection(section);
    if (header == std::string::npos)
        return std::nullopt;
    const size_t at = findKey(header, key);
    if (at == std::string::npos)
        return std::nullopt;
    const Line& l = m_lines[at];
    const std::string_view v = std::string_view(l.raw).substr(l.valueStart, l.contentEnd - l.valueStart);
    return std::string(Unquote(TrimBlanks(v)));
}

void IniDocument::ensureLastLineEnded() {
    if (!m_lines.empty() && m_lines.back().contentEnd == m_lines.back().raw.size())
        m_lines.back().raw += m_eol;
}

bool IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string encoded = Encode(value);
    const size_t header = findSection(section);
    if (header == std::string::npos) {
        ensureLastLineEnded();
        if (!m_lines.empty() && m_lines.back().kind != Kind::Blank)
            m_lines.push_back(MakeLine(m_eol, false));
        std::string head = "[";
        head += section;
        head += ']';
        m_lines.push_back(MakeLine(head + m_eol, m_lines.empty()));
        m_lines.push_back(MakeLine(std::string(key) + "=" + encoded + m_eol, false));
        return true;
    }

    if (const size_t at = findKey(header, key); at != std::string::npos) {
        const Line& old = m_lines[at];
        // Keep the key as spelt and the blanks after '='; replace the value only.
        size_t valuePos = old.valueStart;
        while (valuePos < old.contentEnd && (old.raw[valuePos] == ' ' || old.raw[valuePos] == '\t'))
            ++valuePos;
        std::string raw = old.raw.substr(0, valuePos) + encoded + old.raw.substr(old.contentEnd);
        if (raw == old.raw)
            return false;
        m_lines[at] = MakeLine(std::move(raw), at == 0);
        return true;
    }

    size_t insertAt = header + 1;
    const size_t end = sectionEnd(header);
    for (size_t i = header + 1; i < end; ++i)
        if (m_lines[i].kind == Kind::Key)
            insertAt = i + 1;
    Line& before = m_lines[insertAt - 1];
    if (before.contentEnd == before.raw.size())
        before.raw += m_eol; // the file ended without a line end
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                   MakeLine(std::string(key) + "=" + encoded + m_eol, false));
    return true;
}

bool IniDocument::removeKey(std::string_view section, std::string_view key) {
    const size_t header = findSection(section);
    if (header == std::string::npos)
        return false;
    bool changed = false;
    for (size_t at = findKey(header, key); at != std::string::npos; at = findKey(header, key)) {
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(at));
        changed = true;
    }
    return changed;
}

bool IniDocument::removeSection(std::string_view section) {
    bool changed = false;
    for (size_t header = findSection(section); header != std::string::npos; header = findSection(section)) {
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(header),
                      m_lines.begin() + static_cast<std::ptrdiff_t>(sectionEnd(header)));
        changed = true;
    }
    return changed;
}

bool IniDocument::IsWritableSection(std::string_view section) { return !HasLineBreakOrNul(section); }

bool IniDocument::IsWritableKey(std::string_view key) {
    return !key.empty() && !HasLineBreakOrNul(key) && key.find('=') == std::string_view::npos &&
           key.front() != ';' && key.front() != '[' && TrimBlanks(key).size() == key.size();
}

bool IniDocument::IsWritableValue(std::string_view value) { return !HasLineBreakOrNul(value); }

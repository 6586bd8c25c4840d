#include "model/measure_file.h"

#include "model/measure_chain.h"
#include "platform/atomic_file.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <limits>
#include <new>

namespace {

constexpr char kMagic[4] = {'_', 'M', 'E', 'S'};
constexpr char kVersion[4] = {'1', '0', '0', '0'};

class Writer {
public:
    explicit Writer(std::string& out) : m_out(out) {}
    void bytes(const char* p, std::size_t n) { m_out.append(p, n); }
    void u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            m_out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void f64(double d) {
        const auto v = std::bit_cast<std::uint64_t>(d);
        for (int i = 0; i < 8; ++i)
            m_out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }

private:
    std::string& m_out;
};

// Reads from a block whose size every caller checks first.
class Reader {
public:
    explicit Reader(std::string_view data) : m_data(data) {}
    std::size_t left() const { return m_data.size() - m_pos; }
    bool take(std::string_view expected) {
        if (left() < expected.size() || m_data.substr(m_pos, expected.size()) != expected)
            return false;
        m_pos += expected.size();
        return true;
    }
    std::uint64_t le(int n) {
        std::uint64_t v = 0;
        for (int i = 0; i < n; ++i)
            v |= std::uint64_t{static_cast<unsigned char>(m_data[m_pos + static_cast<std::size_t>(i)])} << (8 * i);
        m_pos += static_cast<std::size_t>(n);
        return v;
    }
    std::int32_t i32() { return static_cast<std::int32_t>(static_cast<std::uint32_t>(le(4))); }
    double f64() { return std::bit_cast<double>(le(8)); }

private:
    std::string_view m_data;
    std::size_t m_pos = 0;
};

void EncodeRecord(Writer& w, const MEASURE& m) {
    const std::int32_t n = PointsPresent(m);
    w.i32(m.kind);
    w.i32(n);
    w.i32(m.unit);
    for (double v : m.value)
        w.f64(v);
    for (const DPOINT& c : m.center) {
        w.f64(c.x);
        w.f64(c.y);
    }
    for (double r : m.radius)
        w.f64(r);
    for (const LabelOffset& o : m.labelOffset) {
        w.i32(o.dx);
        w.i32(o.dy);
    }
    for (std::int32_t i = 0; i < n; ++i) {
        w.f64(m.points[i].x);
        w.f64(m.points[i].y);
    }
}

bool DecodeRecord(Reader& r, MEASURE& m) {
    if (r.left() < mesfile::kRecordBytes)
        return false;
    m.kind = r.i32();
    const std::int32_t n = r.i32();
    m.unit = r.i32();
    if (m.kind > -MeasureKind::Line || m.kind < -MeasureKind::Angle)
        return false;
    for (double& v : m.value)
        v = r.f64();
    for (DPOINT& c : m.center) {
        c.x = r.f64();
        c.y = r.f64();
    }
    for (double& rad : m.radius)
        rad = r.f64();
    for (LabelOffset& o : m.labelOffset) {
        o.dx = r.i32();
        o.dy = r.i32();
    }
    // The points must all be there before any memory is asked for them.
    if (n < 0 || n > CPointArray::kMaxSize || static_cast<std::size_t>(n) > r.left() / mesfile::kPointBytes)
        return false;
    const std::int32_t elements = n > mesfile::kMinPointElements ? n : mesfile::kMinPointElements;
    if (!m.points.Grow(elements, 0))
        return false;
    for (std::int32_t i = 0; i < n; ++i) {
        m.points[i].x = r.f64();
        m.points[i].y = r.f64();
    }
    m.pointCount = n;
    return true;
}

} // namespace

std::string EncodeMeasureFile(CMeasureChain& chain) {
    std::string out;
    Writer w(out);
    w.bytes(kMagic, sizeof kMagic);
    w.bytes(kVersion, sizeof kVersion);
    w.i32(chain.GetCount());
    if (chain.MoveFirst() == 0)
        return out;
    for (MEASURE* m = chain.current; m != nullptr; m = m->next) {
        chain.current = m;
        EncodeRecord(w, *m);
    }
    return out;
}

bool DecodeMeasureFile(std::string_view bytes, std::vector<MEASURE>& out) {
    out.clear();
    Reader r(bytes);
    if (!r.take(std::string_view(kMagic, sizeof kMagic)) || !r.take(std::string_view(kVersion, sizeof kVersion)))
        return false;
    if (r.left() < 4)
        return false;
    const std::int32_t count = r.i32();
    // Every record takes at least its fixed part, so a count the data cannot
    // hold is refused before anything is allocated.
    if (count < 0 || static_cast<std::size_t>(count) > r.left() / mesfile::kRecordBytes)
        return false;
    std::vector<MEASURE> records;
    try {
        records.reserve(static_cast<std::size_t>(count));
        for (std::int32_t i = 0; i < count; ++i) {
            MEASURE m;
            if (!DecodeRecord(r, m))
                return false;
            records.push_back(std::move(m));
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    out = std::move(records);
    return true;
}

int CMeasureChain::Write(const std::string& path) {
    if (GetCount() == 0)
        return 0;
    std::string bytes;
    try {
        bytes = EncodeMeasureFile(*this);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    // A failed write leaves an earlier file of that name as it was.
    return WriteFileAtomically(path, bytes) ? 1 : 0;
}

int CMeasureChain::Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return 0;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > mesfile::kMaxFileBytes)
        return 0;
    in.seekg(0, std::ios::beg);
    std::string bytes;
    std::vector<MEASURE> records;
    try {
        bytes.resize(static_cast<std::size_t>(size));
        if (!in.read(bytes.data(), size))
            return 0;
        if (!DecodeMeasureFile(bytes, records))
            return 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
    // The new list is built aside: should memory run out half-way, the
    // current measurements stay as they were.
    CMeasureChain fresh;
    for (MEASURE& m : records)
        if (fresh.AddNode(&m) == 0)
            return 0;
    RemoveAll();
    current = fresh.current;
    count = fresh.count;
    fresh.current = nullptr;
    fresh.count = 0;
    return 1;
}

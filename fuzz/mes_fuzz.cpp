// Reads arbitrary bytes as a measurement data file. An accepted file must give
// complete records with room for their points, show in the results list, and
// write back byte for byte as it was read (up to any bytes after the last record).
#include "model/measure_chain.h"
#include "model/measure_file.h"
#include "model/result_list.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "mes fuzz: %s\n", what);
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<MEASURE> records;
    if (!DecodeMeasureFile(bytes, records)) {
        Check(records.empty(), "a refused file left records behind");
        return 0;
    }
    CMeasureChain chain;
    for (MEASURE& m : records) {
        Check(m.kind >= -6 && m.kind <= -1, "kind of no complete measurement");
        Check(m.pointCount >= 0 && m.pointCount <= m.points.size(), "more points claimed than held");
        Check(m.points.size() >= mesfile::kMinPointElements, "fewer than ten point elements");
        Check(chain.AddNode(&m) == 1, "record not added");
    }
    Check(chain.GetCount() == static_cast<std::int32_t>(records.size()), "count differs");

    CResultList list;
    for (int unit : {0, 1, 2, 3})
        list.Rebuild(chain, unit);
    for (const ResultListRow& r : list.rows())
        Check(r.record != nullptr, "row without its record");

    const std::string written = EncodeMeasureFile(chain);
    Check(written.size() <= bytes.size(), "written file longer than the one read");
    Check(bytes.substr(0, written.size()) == written, "written file differs from the one read");
    return 0;
}

#pragma once
#include "model/measure.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CMeasureChain;

// The measurement data file (.mes): every record of the measurement list, to be
// loaded again later. Little-endian throughout:
//   header  "_MES", "1000", int32 record count                        12 bytes
//   record  int32 kind, int32 point count n, int32 unit,
//           5 x float64 values, 2 x (float64 x, y) centres,
//           2 x float64 radii, 5 x (int32 dx, dy) label offsets,
//           n x (float64 x, y) points                           140 + 16 n bytes
// Nothing else is stored: not the id, the selection, the label texts, nor the
// foot of a perpendicular (it is computed again when the record is drawn).
namespace mesfile {
constexpr std::size_t kHeaderBytes = 12;
constexpr std::size_t kRecordBytes = 140; // without its points
constexpr std::size_t kPointBytes = 16;
// Records read back get at least this many point elements, zero beyond n.
constexpr std::int32_t kMinPointElements = 10;
// Larger files are refused unread; a hand-measured list is a few kilobytes.
constexpr std::size_t kMaxFileBytes = std::size_t{256} << 20;
} // namespace mesfile

// The file contents for the records of the chain, first to last. The cursor is
// left on the last record. A record claiming more points than it holds is
// written with the points it holds.
std::string EncodeMeasureFile(CMeasureChain& chain);

// Parses file contents into complete records. Returns false, leaving `out`
// empty, when the magic or version differs, a count is negative, a record
// has a kind that is no complete measurement (-1 ... -6), or the data ends
// before the counts say. Bytes after the last record are ignored.
bool DecodeMeasureFile(std::string_view bytes, std::vector<MEASURE>& out);

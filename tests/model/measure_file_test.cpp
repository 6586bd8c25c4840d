#include "model/measure_file.h"

#include "calib/calibration.h"
#include "images/dib_image.h"
#include "model/compute_values.h"
#include "model/measure_chain.h"
#include "platform/test_locale.h"
#include "support/measure_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// The fields a data file keeps.
void ExpectSameStored(const MEASURE& a, const MEASURE& b) {
    EXPECT_EQ(a.kind, b.kind);
    EXPECT_EQ(a.pointCount, b.pointCount);
    EXPECT_EQ(a.unit, b.unit);
    EXPECT_EQ(a.value, b.value);
    EXPECT_EQ(a.center, b.center);
    EXPECT_EQ(a.radius, b.radius);
    EXPECT_EQ(a.labelOffset, b.labelOffset);
    ASSERT_GE(b.points.size(), b.pointCount);
    for (std::int32_t i = 0; i < a.pointCount; ++i)
        EXPECT_EQ(a.points[i], b.points[i]) << i;
}

std::vector<const MEASURE*> Nodes(CMeasureChain& chain) {
    std::vector<const MEASURE*> nodes;
    if (chain.MoveFirst())
        for (MEASURE* m = chain.current; m; m = m->next)
            nodes.push_back(m);
    return nodes;
}

std::int32_t Int32At(const std::string& bytes, std::size_t offset) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
    return static_cast<std::int32_t>(v);
}

double DoubleAt(const std::string& bytes, std::size_t offset) {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
    double d;
    std::memcpy(&d, &v, sizeof d);
    return d;
}

class MeasureFileTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(picture.create(640, 480, 24), 0);
        cal.mpp = {0.05, 0.04};
        cal.unit = 1;
        // A LINE, an ARIA of five points and a SUI, as measured.
        MEASURE line = CompleteRecord(MeasureKind::Line, {{10.5, 20.25}, {210.5, 20.25}}, 1);
        ComputeValues(line, cal, 0, picture);
        line.labelOffset[0] = {7, -3};
        line.labelOffset[1] = {-2147483647 - 1, 2147483647};
        MEASURE area =
            CompleteRecord(MeasureKind::Aria, {{10, 10}, {60, 10}, {70, 40}, {35, 70}, {5, 40}}, 1);
        ComputeValues(area, cal, 0, picture);
        MEASURE sui = CompleteRecord(MeasureKind::Sui, {{0, 0}, {100, 50}, {30, 80}}, 1);
        ComputeValues(sui, cal, 0, picture);
        sui.labelOffset[0] = {12, 34};
        for (MEASURE* m : {&line, &area, &sui})
            original.AddNode(m);
    }

    std::string WriteOriginal() {
        const std::string path = dir.file("results.mes");
        EXPECT_EQ(original.Write(path), 1);
        return ReadBytes(path);
    }

    TempDir dir;
    CDibImage picture;
    CALIBRATION cal;
    CMeasureChain original;
};

TEST_F(MeasureFileTest, LayoutOfAWrittenFile) {
    original.MoveFirst();
    const std::string bytes = WriteOriginal();
    // The cursor is left on the last record.
    EXPECT_EQ(original.current->kind, -5);
    ASSERT_EQ(bytes.size(), 12u + 172u + 220u + 188u);
    EXPECT_EQ(bytes.substr(0, 8), "_MES1000");
    EXPECT_EQ(Int32At(bytes, 8), 3);
    // First record: kind, point count, unit, values ... points last.
    const MEASURE& line = *Nodes(original)[0];
    EXPECT_EQ(Int32At(bytes, 12), -1);
    EXPECT_EQ(Int32At(bytes, 16), 2);
    EXPECT_EQ(Int32At(bytes, 20), 1);
    EXPECT_EQ(DoubleAt(bytes, 24), line.value[0]);
    EXPECT_EQ(DoubleAt(bytes, 32), line.value[1]);
    EXPECT_EQ(Int32At(bytes, 12 + 100), 7);
    EXPECT_EQ(Int32At(bytes, 12 + 104), -3);
    EXPECT_EQ(Int32At(bytes, 12 + 108), -2147483647 - 1);
    EXPECT_EQ(DoubleAt(bytes, 12 + 140), 10.5);
    EXPECT_EQ(DoubleAt(bytes, 12 + 148), 20.25);
    EXPECT_EQ(DoubleAt(bytes, 12 + 156), 210.5);
    // Second record starts after the first one's two points.
    EXPECT_EQ(Int32At(bytes, 184), -2);
    EXPECT_EQ(Int32At(bytes, 188), 5);
    // The SUI keeps three points; its foot is not written.
    EXPECT_EQ(Int32At(bytes, 404), -5);
    EXPECT_EQ(Int32At(bytes, 408), 3);
}

TEST_F(MeasureFileTest, ReadingBackGivesTheSameMeasurementsAndTheSameFile) {
    const std::string bytes = WriteOriginal();
    CMeasureChain loaded;
    ASSERT_EQ(loaded.Read(dir.file("results.mes")), 1);
    const auto a = Nodes(original);
    const auto b = Nodes(loaded);
    ASSERT_EQ(b.size(), 3u);
    for (std::size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE(i);
        ExpectSameStored(*a[i], *b[i]);
        EXPECT_EQ(b[i]->selected, 0);
        EXPECT_GE(b[i]->points.size(), 10);
    }
    ASSERT_EQ(loaded.Write(dir.file("again.mes")), 1);
    EXPECT_EQ(ReadBytes(dir.file("again.mes")), bytes);
}

TEST_F(MeasureFileTest, AReadPerpendicularHasRoomForItsFootWhichIsFoundAgain) {
    WriteOriginal();
    CMeasureChain loaded;
    ASSERT_EQ(loaded.Read(dir.file("results.mes")), 1);
    MEASURE& sui = *const_cast<MEASURE*>(Nodes(loaded)[2]);
    const MEASURE& before = *Nodes(original)[2];
    ASSERT_EQ(sui.points.size(), 10);
    EXPECT_EQ(sui.points[3], (DPOINT{0, 0})); // not stored
    const double value = sui.value[0];
    ASSERT_EQ(RecomputeForCalibration(sui, cal, picture), 1);
    EXPECT_EQ(sui.points[3], before.points[3]);
    EXPECT_NE(sui.points[3], (DPOINT{0, 0}));
    EXPECT_EQ(sui.value[0], value);
}

TEST_F(MeasureFileTest, PolygonsOfManyPointsKeepThemAll) {
    std::vector<DPOINT> pts;
    for (int i = 0; i < 37; ++i)
        pts.push_back({i * 3.0, (i % 5) * 7.0 + 0.125});
    MEASURE area = CompleteRecord(MeasureKind::Aria, pts, 2);
    CMeasureChain chain;
    chain.AddNode(&area);
    ASSERT_EQ(chain.Write(dir.file("big.mes")), 1);
    EXPECT_EQ(ReadBytes(dir.file("big.mes")).size(), 12u + 140u + 16u * 37u);
    CMeasureChain loaded;
    ASSERT_EQ(loaded.Read(dir.file("big.mes")), 1);
    ASSERT_EQ(loaded.GetCount(), 1);
    EXPECT_EQ(loaded.current->points.size(), 37);
    ExpectSameStored(area, *loaded.current);
}

TEST_F(MeasureFileTest, ARecordClaimingMorePointsThanItHoldsWritesWhatItHolds) {
    MEASURE angle = CompleteRecord(MeasureKind::Angle, {{1, 2}, {3, 4}, {5, 6}}, 1);
    CMeasureChain chain;
    chain.AddNode(&angle);
    chain.current->pointCount = 50;
    ASSERT_EQ(chain.Write(dir.file("a.mes")), 1);
    const std::string bytes = ReadBytes(dir.file("a.mes"));
    EXPECT_EQ(bytes.size(), 12u + 140u + 48u);
    EXPECT_EQ(Int32At(bytes, 16), 3);
}

TEST_F(MeasureFileTest, AnEmptyListWritesNoFileAndAFailedWriteKeepsTheOldOne) {
    CMeasureChain empty;
    EXPECT_EQ(empty.Write(dir.file("none.mes")), 0);
    EXPECT_EQ(original.Write(dir.file("missing/x.mes")), 0);
    EXPECT_TRUE(dir.entries().empty());
    // A folder of that name is not replaced by the file.
    std::filesystem::create_directory(dir.file("folder.mes"));
    EXPECT_EQ(original.Write(dir.file("folder.mes")), 0);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.mes")));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"folder.mes"});
}

TEST_F(MeasureFileTest, BadFilesLeaveTheListExactlyAsItWas) {
    const std::string good = WriteOriginal();
    auto with = [&](std::size_t offset, std::int32_t v) {
        std::string b = good;
        for (int i = 0; i < 4; ++i)
            b[offset + static_cast<std::size_t>(i)] = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
        return b;
    };
    std::vector<std::pair<std::string, std::string>> bad = {
        {"version 1001", "_MES1001" + good.substr(8)},
        {"magic", "_mes1000" + good.substr(8)},
        {"empty", ""},
        {"header only", good.substr(0, 11)},
        {"negative record count", with(8, -1)},
        {"record count too large", with(8, 4)},
        {"huge record count", with(8, 2147483647)},
        {"negative point count", with(16, -2)},
        {"point count too large", with(16, 3)},
        {"point count beyond the data", with(16, 1000)},
        {"huge point count", with(16, 0x7FFFFFFF)},
        {"kind of no measurement", with(12, 1)},
        {"kind beyond the tools", with(12, -7)},
    };
    // Every cut of a valid file short of its end.
    for (std::size_t n : {12u, 100u, 151u, 183u, 184u, 400u, 591u})
        bad.push_back({"cut at " + std::to_string(n), good.substr(0, n)});

    for (const auto& [what, bytes] : bad) {
        SCOPED_TRACE(what);
        WriteBytes(dir.file("bad.mes"), bytes);
        std::vector<MEASURE> out(1);
        EXPECT_FALSE(DecodeMeasureFile(bytes, out));
        EXPECT_TRUE(out.empty());
        const std::vector<const MEASURE*> before = Nodes(original);
        original.MoveTo(1);
        EXPECT_EQ(original.Read(dir.file("bad.mes")), 0);
        EXPECT_EQ(original.current, before[1]);
        EXPECT_EQ(Nodes(original), before);
    }
    EXPECT_EQ(original.Read(dir.file("no such file.mes")), 0);
    EXPECT_EQ(original.GetCount(), 3);
}

TEST_F(MeasureFileTest, ACountOfZeroEmptiesTheListAndTrailingBytesAreIgnored) {
    const std::string good = WriteOriginal();
    WriteBytes(dir.file("more.mes"), good + "trailing");
    CMeasureChain loaded;
    EXPECT_EQ(loaded.Read(dir.file("more.mes")), 1);
    EXPECT_EQ(loaded.GetCount(), 3);

    WriteBytes(dir.file("zero.mes"), std::string("_MES1000\0\0\0\0", 12));
    EXPECT_EQ(original.Read(dir.file("zero.mes")), 1);
    EXPECT_EQ(original.GetCount(), 0);
    EXPECT_EQ(original.current, nullptr);
}

} // namespace

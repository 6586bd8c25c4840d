#include "model/result_csv.h"

#include "model/measure.h"
#include "model/measure_chain.h"
#include "model/result_list.h"
#include "platform/language.h"
#include "platform/test_locale.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class ResultCsvTest : public testing::Test {
protected:
    void SetUp() override { g_bJapanese = false; }
    void TearDown() override { g_bJapanese = false; }

    void AddLine(double length, double angle) {
        MEASURE m;
        m.kind = -MeasureKind::Line;
        m.pointCount = 2;
        m.points.Grow(2, 0);
        m.value[0] = length;
        m.value[1] = angle;
        chain.AddNode(&m);
        list.AddRowsFor(*chain.current, 1);
    }

    TempDir dir;
    CMeasureChain chain;
    CResultList list;
};

TEST_F(ResultCsvTest, HeaderAndRowsAsShownWithCrLf) {
    EXPECT_EQ(CsvText(list, false), "No.,Type,Result,Unit\r\n");
    EXPECT_EQ(CsvHeaderLine(true), "No.,計測内容,測定値,単位\r\n");
    AddLine(10.0, 45.0000001);
    EXPECT_EQ(CsvText(list, false), "No.,Type,Result,Unit\r\n"
                                    "0,Length,10.000,mm\r\n"
                                    "1,Angle,45.0,degree\r\n");
}

TEST_F(ResultCsvTest, TwoExportsToOneFileKeepBoth) {
    const std::string path = dir.file("out.csv");
    AddLine(1.5, 0.0);
    ASSERT_EQ(AppendCsvFile(path, list, false), CsvAppendResult::Written);
    AddLine(2.0, 90.0);
    ASSERT_EQ(AppendCsvFile(path, list, false), CsvAppendResult::Written);
    EXPECT_EQ(ReadBytes(path), "No.,Type,Result,Unit\r\n"
                               "0,Length,1.500,mm\r\n"
                               "1,Angle,0.0,degree\r\n"
                               "No.,Type,Result,Unit\r\n"
                               "0,Length,1.500,mm\r\n"
                               "1,Angle,0.0,degree\r\n"
                               "2,Length,2.000,mm\r\n"
                               "3,Angle,90.0,degree\r\n");
}

TEST_F(ResultCsvTest, AFileThatCannotBeOpenedGetsNothing) {
    EXPECT_EQ(AppendCsvFile(dir.file("missing/out.csv"), list, false), CsvAppendResult::CannotOpen);
    EXPECT_EQ(AppendCsvFile(dir.path(), list, false), CsvAppendResult::CannotOpen);
    EXPECT_TRUE(dir.entries().empty());
}

TEST_F(ResultCsvTest, WrittenInTheCharacterSetOfTheLocale) {
    g_bJapanese = true;
    AddLine(1.0, 0.0);
    {
        ScopedLocale euc("ja_JP.EUC-JP", "ja_JP", "EUC-JP");
        if (!euc.ok())
            GTEST_SKIP() << "no EUC-JP locale and no localedef";
        ASSERT_EQ(AppendCsvFile(dir.file("euc.csv"), list, true), CsvAppendResult::Written);
    }
    // "No.,計測内容,..." in EUC-JP; "°" has an EUC-JP form too.
    const std::string bytes = ReadBytes(dir.file("euc.csv"));
    EXPECT_EQ(bytes.substr(0, 12), "No.,\xB7\xD7\xC2\xAC\xC6\xE2\xCD\xC6");
    EXPECT_NE(bytes.find("0,\xC6\xF3\xC5\xC0\xB4\xD6\xB5\xF7\xCE\xA5,1.000,mm\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("1,\xB3\xD1\xC5\xD9,0.0,\xA1\xEB\r\n"), std::string::npos);
}

} // namespace

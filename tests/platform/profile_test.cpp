#include "platform/profile.h"

#include "temp_dir.h"
#include "test_locale.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cstdio>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The "none" media subtype {E436EB8E-524F-11CE-9F53-0020AF0BA770}.
constexpr GUID kSubtypeNone{0xE436EB8E, 0x524F, 0x11CE, {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
constexpr GUID kOther{0x12345678, 0x9ABC, 0xDEF0, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};

class ProfileTest : public ::testing::Test {
protected:
    std::string ini() const { return dir.file("Mirelta.ini"); }
    TempDir dir;
};

TEST_F(ProfileTest, ValuesReadBackAsWritten) {
    {
        Profile p(ini());
        for (int v : {0, 1, -1, -21, 16776960, INT_MAX, INT_MIN})
            ASSERT_TRUE(p.WriteInt("Mirelta", "i" + std::to_string(v), v));
        for (double v : {0.0, 10.0, -0.5, 0.123456, 630.0, 1e70, -1e70})
            ASSERT_TRUE(p.WriteReal("Mirelta", "r" + std::to_string(v), v));
        ASSERT_TRUE(p.WriteString("Mirelta", "plain", "C:/data/bmp"));
        ASSERT_TRUE(p.WriteString("Mirelta", "face", "ＭＳ Ｐゴシック"));
        ASSERT_TRUE(p.WriteString("Mirelta", "padded", "  two blanks  "));
        ASSERT_TRUE(p.WriteString("Mirelta", "quoted", "\"in quotes\""));
        ASSERT_TRUE(p.WriteString("Mirelta", "empty", ""));
        ASSERT_TRUE(p.WriteString("Mirelta", "equals", "a=b;c"));
        ASSERT_TRUE(p.WriteGuid("Mirelta", "SubType", kSubtypeNone));
        ASSERT_TRUE(p.WriteGuid("Camera X", "SubType", kOther));
    }
    Profile p(ini()); // a fresh reader: the values come from the file
    for (int v : {0, 1, -1, -21, 16776960, INT_MAX, INT_MIN})
        EXPECT_EQ(p.GetInt("Mirelta", "i" + std::to_string(v), 12345), v);
    for (double v : {0.0, 10.0, -0.5, 0.123456, 630.0, 1e70, -1e70})
        EXPECT_EQ(p.ReadReal("Mirelta", "r" + std::to_string(v), 99.0), v) << v;
    EXPECT_EQ(p.GetString("Mirelta", "plain", "x"), "C:/data/bmp");
    EXPECT_EQ(p.GetString("Mirelta", "face", "x"), "ＭＳ Ｐゴシック");
    EXPECT_EQ(p.GetString("Mirelta", "padded", "x"), "  two blanks  ");
    EXPECT_EQ(p.GetString("Mirelta", "quoted", "x"), "\"in quotes\"");
    EXPECT_EQ(p.GetString("Mirelta", "empty", "x"), "");
    EXPECT_EQ(p.GetString("Mirelta", "equals", "x"), "a=b;c");
    EXPECT_EQ(p.ReadGuid("Mirelta", "SubType", kOther), kSubtypeNone);
    EXPECT_EQ(p.ReadGuid("Camera X", "SubType", kSubtypeNone), kOther);

    const std::string text = ReadBytes(ini());
    EXPECT_NE(text.find("\ni-21=-21\n"), std::string::npos);
    EXPECT_NE(text.find("\nr-0.500000=-0.500000\n"), std::string::npos);
    EXPECT_NE(text.find("\nSubType=E436EB8E524F11CE9F530020AF0BA770\n"), std::string::npos);
    EXPECT_NE(text.find("\npadded=\"  two blanks  \"\n"), std::string::npos);
}

TEST_F(ProfileTest, GuidTextOfEitherCaseAndMalformedTextGivesDefault) {
    WriteBytes(ini(), "[Mirelta]\n"
                      "lower=e436eb8e524f11ce9f530020af0ba770\n"
                      "short=E436EB8E524F11CE9F530020AF0BA77\n"
                      "long=E436EB8E524F11CE9F530020AF0BA7700\n"
                      "braces={E436EB8E-524F-11CE-9F53-0020AF0BA770}\n"
                      "nonhex=E436EB8E524F11CE9F530020AF0BA77G\n"
                      "inner=E436EB8E524F11CE 9F530020AF0BA770\n"
                      "empty=\n");
    Profile p(ini());
    EXPECT_EQ(p.ReadGuid("Mirelta", "lower", kOther), kSubtypeNone);
    for (const char* key : {"short", "long", "braces", "nonhex", "inner", "empty", "missing"})
        EXPECT_EQ(p.ReadGuid("Mirelta", key, kOther), kOther) << key;
    EXPECT_EQ(p.ReadGuid("NoSection", "SubType", kSubtypeNone), kSubtypeNone);
}

// A hand-edited file: comments, odd spacing, CRLF, unknown keys, duplicate sections and keys.
const std::string kFixture =
    "; Mirelta settings\r\n"
    "orphan=before any section\r\n"
    "\r\n"
    "[Mirelta]\r\n"
    "  type = 1\r\n"
    "Resize=3   \r\n"
    "; explains the next key\r\n"
    "unknown.key = keep me exactly \r\n"
    "color.linesize=1\r\n"
    "COLOR.LINESIZE=9\r\n"
    "\t\r\n"
    "\r\n"
    "[ CALIBRATION ]\r\n"
    "name_0 = \"Data1\"\r\n"
    "\r\n"
    "[mirelta]\r\n"
    "type=7\r\n"
    "only.in.second=5\r\n";

TEST_F(ProfileTest, EditKeepsEveryOtherByte) {
    WriteBytes(ini(), kFixture);
    Profile p(ini());
    ASSERT_TRUE(p.WriteInt("MIRELTA", "Type", 42));
    ASSERT_TRUE(p.WriteString("Mirelta", "savedir", "/home/u/Documents"));

    std::string expected = kFixture;
    expected.replace(expected.find("  type = 1\r\n"), 12, "  type = 42\r\n");
    expected.insert(expected.find("COLOR.LINESIZE=9\r\n") + 18, "savedir=/home/u/Documents\r\n");
    EXPECT_EQ(ReadBytes(ini()), expected);

    // Writing the value a key already has changes nothing at all.
    const struct stat before = [&] { struct stat s {}; stat(ini().c_str(), &s); return s; }();
    ASSERT_TRUE(p.WriteInt("Mirelta", "type", 42));
    struct stat after {};
    stat(ini().c_str(), &after);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(ReadBytes(ini()), expected);
}

TEST_F(ProfileTest, NamesIgnoreCaseAndTheFirstMatchWins) {
    WriteBytes(ini(), kFixture);
    Profile p(ini());
    EXPECT_EQ(p.GetInt("mIrElTa", "TYPE", -1), 1);              // the first [Mirelta], not [mirelta]
    EXPECT_EQ(p.GetInt("Mirelta", "color.LineSize", -1), 1);    // the first of two spellings
    EXPECT_EQ(p.GetInt("Mirelta", "resize", -1), 3);
    EXPECT_EQ(p.GetString("Mirelta", "Unknown.Key", ""), "keep me exactly");
    EXPECT_EQ(p.GetString(" calibration ", " name_0 ", ""), "Data1");
    EXPECT_EQ(p.GetInt("Mirelta", "only.in.second", -1), -1);  // later duplicate sections are not read
    EXPECT_EQ(p.GetString("Mirelta", "; explains the next key", "none"), "none");
    EXPECT_EQ(p.GetString("", "orphan", "none"), "none");      // lines before any section belong to none
}

TEST_F(ProfileTest, NewKeysGoAfterTheLastKeyOfTheirSectionAndNewSectionsAtTheEnd) {
    WriteBytes(ini(), "[A]\n"
                      "a1=1\n"
                      "; about B\n"
                      "\n"
                      "[Empty]\n"
                      "; nothing yet\n"
                      "\n"
                      "[B]\n"
                      "b1=1");
    Profile p(ini());
    ASSERT_TRUE(p.WriteInt("a", "a2", 2));
    ASSERT_TRUE(p.WriteInt("empty", "e1", 3));
    ASSERT_TRUE(p.WriteInt("B", "b2", 4));
    ASSERT_TRUE(p.WriteInt("C", "c1", 5));
    EXPECT_EQ(ReadBytes(ini()), "[A]\n"
                                "a1=1\n"
                                "a2=2\n"
                                "; about B\n"
                                "\n"
                                "[Empty]\n"
                                "e1=3\n"
                                "; nothing yet\n"
                                "\n"
                                "[B]\n"
                                "b1=1\n"
                                "b2=4\n"
                                "\n"
                                "[C]\n"
                                "c1=5\n");
}

TEST_F(ProfileTest, ANewFileIsCreatedWithUnixLineEnds) {
    Profile p(ini());
    ASSERT_TRUE(p.WriteInt("Mirelta", "type", 1));
    ASSERT_TRUE(p.WriteInt("Mirelta", "resize", 3));
    ASSERT_TRUE(p.WriteString("CALIBRATION", "name_0", "Data1"));
    EXPECT_EQ(ReadBytes(ini()), "[Mirelta]\ntype=1\nresize=3\n\n[CALIBRATION]\nname_0=Data1\n");
}

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesTheDefaultAndReadsCreateNothing) {
    Profile missing(ini());
    EXPECT_EQ(missing.GetInt("Mirelta", "Device", -1), -1);
    EXPECT_EQ(missing.GetString("Mirelta", "savedir", "dflt"), "dflt");
    EXPECT_EQ(missing.ReadReal("Mirelta", "m_Bai_X", 10.0), 10.0);
    EXPECT_EQ(missing.ReadGuid("Mirelta", "SubType", kSubtypeNone), kSubtypeNone);
    EXPECT_TRUE(missing.DeleteKey("Mirelta", "Device"));
    EXPECT_TRUE(missing.DeleteSection("Mirelta"));
    EXPECT_TRUE(dir.entries().empty());

    WriteBytes(ini(), "[Mirelta]\nDevice=2\n");
    EXPECT_EQ(missing.GetInt("Mirelta", "Device", -1), 2); // the same object sees the new file
    EXPECT_EQ(missing.GetInt("Mirelta", "Frame", 300), 300);
    EXPECT_EQ(missing.GetInt("Camera", "Device", -1), -1);
}

TEST_F(ProfileTest, NumbersReadTheirLeadingDigitsAndNonNumbersReadZero) {
    WriteBytes(ini(), "[N]\n"
                      "junk=12abc\n"
                      "word=abc\n"
                      "signed=  -7\n"
                      "plus=+5\n"
                      "lonesign=-\n"
                      "quoted=\" 8\"\n"
                      "empty=\n"
                      "huge=99999999999\n"
                      "tiny=-99999999999\n"
                      "real=2.5xyz\n"
                      "realword=abc\n"
                      "realexp=1.5e3\n");
    Profile p(ini());
    EXPECT_EQ(p.GetInt("N", "junk", -1), 12);
    EXPECT_EQ(p.GetInt("N", "word", -1), 0);
    EXPECT_EQ(p.GetInt("N", "signed", -1), -7);
    EXPECT_EQ(p.GetInt("N", "plus", -1), 5);
    EXPECT_EQ(p.GetInt("N", "lonesign", -1), 0);
    EXPECT_EQ(p.GetInt("N", "quoted", -1), 8);
    EXPECT_EQ(p.GetInt("N", "empty", -1), -1); // an empty value counts as missing
    EXPECT_EQ(p.GetInt("N", "huge", -1), INT_MAX);
    EXPECT_EQ(p.GetInt("N", "tiny", -1), INT_MIN);
    EXPECT_EQ(p.ReadReal("N", "real", -1.0), 2.5);
    EXPECT_EQ(p.ReadReal("N", "realword", -1.0), 0.0);
    EXPECT_EQ(p.ReadReal("N", "realexp", -1.0), 1500.0);
    EXPECT_EQ(p.ReadReal("N", "empty", -1.0), -1.0);
    // The default takes the road through "%f" as well.
    EXPECT_EQ(p.ReadReal("N", "missing", 0.1234567), 0.123457);
}

TEST_F(ProfileTest, QuotesAndBlanksAroundValues) {
    WriteBytes(ini(), "[Q]\n"
                      "kept = \"  inner blanks  \"  \n"
                      "open=\"unbalanced\n"
                      "single=\"\n"
                      "pair=\"\"\n"
                      "tab=\tvalue\t\n");
    Profile p(ini());
    EXPECT_EQ(p.GetString("Q", "kept", "x"), "  inner blanks  ");
    EXPECT_EQ(p.GetString("Q", "open", "x"), "\"unbalanced");
    EXPECT_EQ(p.GetString("Q", "single", "x"), "\"");
    EXPECT_EQ(p.GetString("Q", "pair", "x"), "");
    EXPECT_EQ(p.GetString("Q", "tab", "x"), "value");
}

TEST_F(ProfileTest, TextsAreCutToTheBufferWithoutSplittingCharacters) {
    std::string longFace;
    for (int i = 0; i < 5; ++i)
        longFace += "日本語フォント名"; // 8 characters of 3 bytes each
    WriteBytes(ini(), "[Mirelta]\ncolor.font.lfFaceName=" + longFace + "\nascii=abcdef\nmixed=aé日\n");
    Profile p(ini());
    const std::string face = p.GetString("Mirelta", "color.font.lfFaceName", "", 32);
    EXPECT_EQ(face, longFace.substr(0, 31 * 3));
    EXPECT_EQ(p.GetString("Mirelta", "ascii", "", 4), "abc");
    EXPECT_EQ(p.GetString("Mirelta", "ascii", "", 1), "");
    EXPECT_EQ(p.GetString("Mirelta", "ascii", "", 0), "");
    EXPECT_EQ(p.GetString("Mirelta", "mixed", "", 3), "aé");
    EXPECT_EQ(p.GetString("Mirelta", "mixed", "", 4), "aé日");
    EXPECT_EQ(p.GetString("Mirelta", "missing", "校正値12", 4), "校正値"); // the default is cut too
}

TEST_F(ProfileTest, WritesThatCouldNotReadBackAreRefused) {
    WriteBytes(ini(), "[Mirelta]\ntype=1\n");
    Profile p(ini());
    EXPECT_FALSE(p.WriteString("Mirelta", "savedir", "line\nbreak"));
    EXPECT_FALSE(p.WriteString("Mirelta", "savedir", "carriage\rreturn"));
    EXPECT_FALSE(p.WriteString("Mirelta", "savedir", std::string("nul\0byte", 8)));
    EXPECT_FALSE(p.WriteString("Mirelta", "", "x"));
    EXPECT_FALSE(p.WriteString("Mirelta", "a=b", "x"));
    EXPECT_FALSE(p.WriteString("Mirelta", ";comment", "x"));
    EXPECT_FALSE(p.WriteString("Mirelta", "[x]", "x"));
    EXPECT_FALSE(p.WriteString("Mire\nlta", "type", "x"));
    EXPECT_EQ(ReadBytes(ini()), "[Mirelta]\ntype=1\n");

    // A device name with brackets is a fine section name.
    ASSERT_TRUE(p.WriteInt("USB Camera [HD]", "Width", 1280));
    EXPECT_EQ(Profile(ini()).GetInt("usb camera [hd]", "Width", -1), 1280);
}

TEST_F(ProfileTest, DeleteRemovesWhatReadsWouldFind) {
    WriteBytes(ini(), "[A]\nk=1\nother=2\nK=3\n\n[B]\nk=4\n\n[a]\nk=5\n");
    Profile p(ini());
    ASSERT_TRUE(p.DeleteKey("a", "k"));
    EXPECT_EQ(p.GetInt("A", "k", -1), -1); // the second spelling no longer shows through
    EXPECT_EQ(ReadBytes(ini()), "[A]\nother=2\n\n[B]\nk=4\n\n[a]\nk=5\n");
    ASSERT_TRUE(p.DeleteSection("A"));
    EXPECT_EQ(p.GetInt("A", "k", -1), -1);
    EXPECT_EQ(ReadBytes(ini()), "[B]\nk=4\n\n");
    EXPECT_TRUE(p.DeleteKey("B", "absent"));
    EXPECT_EQ(ReadBytes(ini()), "[B]\nk=4\n\n");
}

TEST_F(ProfileTest, ReplaceIsAtomicKeepsTheModeAndLeavesNoTemporaryFile) {
    WriteBytes(ini(), "[Mirelta]\ntype=1\n");
    ASSERT_EQ(chmod(ini().c_str(), 0640), 0);
    struct stat before {};
    ASSERT_EQ(stat(ini().c_str(), &before), 0);
    Profile p(ini());
    ASSERT_TRUE(p.WriteInt("Mirelta", "type", 2));
    struct stat after {};
    ASSERT_EQ(stat(ini().c_str(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino); // replaced, not rewritten in place
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"Mirelta.ini"});
}

// Settings files no program of ours wrote: reading them never changes them, and one too
// large to hold is never replaced by a write.
TEST_F(ProfileTest, HostileFilesAreReadWithoutChangeAndAnOversizedOneIsNeverReplaced) {
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"binary with zero bytes", std::string("[Mirelta]\0type=\0\1\2\xff\n\0\0[\0]\n", 20)},
        {"not UTF-8", "[Mir\xe9lta]\n\xff\xfe=\x80\x81\ntype=\xc3\n[Mirelta]\ntype=7\n"},
        {"a section never closed", "[Mirelta\ntype=3\n[\n]\n=\n==\n"},
        {"a line of a megabyte", "[Mirelta]\ntype=" + std::string(1u << 20, '9') + "\n"},
        {"a number far past int", "[Mirelta]\ntype=99999999999999999999999999\nneg=-99999999999999999999\n"},
        {"only line ends", std::string(100000, '\r')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(ini(), c.bytes);
        Profile p(ini());
        (void)p.GetInt("Mirelta", "type", -1);
        (void)p.GetInt("Mirelta", "neg", -1);
        (void)p.GetString("Mirelta", "type", "", 255);
        (void)p.GetString("\xff\xfe", "\x80", "");
        EXPECT_EQ(ReadBytes(ini()), c.bytes);
    }
    const std::string huge = "[Mirelta]\ntype=1\n" + std::string(Profile::kMaxFileSize, ';');
    WriteBytes(ini(), huge);
    Profile p(ini());
    EXPECT_EQ(p.GetInt("Mirelta", "type", -1), -1);
    EXPECT_FALSE(p.WriteInt("Mirelta", "type", 2));
    EXPECT_EQ(ReadBytes(ini()).size(), huge.size());
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"Mirelta.ini"});
}

TEST_F(ProfileTest, TemporaryFilesOfAKilledRunGoWithTheNextWrite) {
    const pid_t gone = fork();
    if (gone == 0)
        _exit(0);
    ASSERT_GT(gone, 0);
    waitpid(gone, nullptr, 0);
    const std::string stale = ".Mirelta.ini.tmp-" + std::to_string(gone) + "-3-12345";
    const std::string ours = ".Mirelta.ini.tmp-" + std::to_string(getpid()) + "-999-1"; // a write in flight
    const std::string other = ".other.ini.tmp-" + std::to_string(gone) + "-1-1";
    for (const std::string& name : {stale, ours, other})
        WriteBytes(dir.file(name), "[Mirelta]\nty");
    Profile p(ini());
    ASSERT_TRUE(p.WriteInt("Mirelta", "type", 2));
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{ours, other, "Mirelta.ini"}));
}

TEST_F(ProfileTest, ASymbolicLinkKeepsPointingAtTheReplacedFile) {
    WriteBytes(dir.file("real.ini"), "[Mirelta]\ntype=1\n");
    ASSERT_EQ(symlink("real.ini", ini().c_str()), 0);
    Profile p(ini());
    ASSERT_TRUE(p.WriteInt("Mirelta", "type", 2));
    struct stat st {};
    ASSERT_EQ(lstat(ini().c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(ReadBytes(dir.file("real.ini")), "[Mirelta]\ntype=2\n");
}

TEST_F(ProfileTest, FailedWritesKeepTheOldFileAndReportFalse) {
    // A folder where the file should be: nothing can be read, nothing is replaced.
    const std::string folder = dir.file("Mirelta.ini");
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    WriteBytes(folder + "/inside", "keep");
    {
        Profile p(folder);
        EXPECT_EQ(p.GetInt("Mirelta", "type", -1), -1);
        EXPECT_FALSE(p.WriteInt("Mirelta", "type", 2));
        EXPECT_FALSE(p.DeleteSection("Mirelta"));
    }
    EXPECT_EQ(ReadBytes(folder + "/inside"), "keep");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"Mirelta.ini"});

    // A folder that does not exist.
    Profile nowhere(dir.file("missing/Mirelta.ini"));
    EXPECT_FALSE(nowhere.WriteInt("Mirelta", "type", 2));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"Mirelta.ini"});
}

TEST_F(ProfileTest, AWriteThatRunsOutOfSpaceKeepsTheOldFile) {
    // A file-size limit makes the write fail part-way, as a full disk would (also as root).
    const std::string old = "[Mirelta]\ntype=1\n";
    WriteBytes(ini(), old);
    Profile p(ini());
    ASSERT_EQ(p.GetInt("Mirelta", "type", -1), 1);

    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = p.WriteString("Mirelta", "savedir", std::string(200, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(ini()), old);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"Mirelta.ini"});
    EXPECT_EQ(p.GetString("Mirelta", "savedir", "none"), "none"); // the failed edit is not kept
    EXPECT_TRUE(p.WriteInt("Mirelta", "type", 2));
    EXPECT_EQ(ReadBytes(ini()), "[Mirelta]\ntype=2\n");
}

TEST_F(ProfileTest, ReadsSeeChangesMadeByOthers) {
    WriteBytes(ini(), "[Mirelta]\ntype=1\n");
    Profile a(ini());
    Profile b(ini());
    ASSERT_EQ(a.GetInt("Mirelta", "type", -1), 1);
    // Rewritten in place with the same length within the same tick of the file-system
    // clock: inode, size and modification time all stay as they were.
    struct stat seen {};
    ASSERT_EQ(stat(ini().c_str(), &seen), 0);
    WriteBytes(ini(), "[Mirelta]\ntype=2\n");
    const timespec times[2] = {seen.st_atim, seen.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, ini().c_str(), times, 0), 0);
    EXPECT_EQ(a.GetInt("Mirelta", "type", -1), 2);
    ASSERT_TRUE(b.WriteInt("Mirelta", "resize", 3));
    EXPECT_EQ(a.GetInt("Mirelta", "resize", -1), 3);
    ASSERT_TRUE(a.WriteInt("Mirelta", "type", 4)); // a's write keeps b's key
    EXPECT_EQ(b.GetInt("Mirelta", "resize", -1), 3);
    EXPECT_EQ(b.GetInt("Mirelta", "type", -1), 4);
    std::remove(ini().c_str());
    EXPECT_EQ(a.GetInt("Mirelta", "type", -1), -1);
}

TEST_F(ProfileTest, BatchWritesTheFileOnceAtItsEnd) {
    WriteBytes(ini(), "[Mirelta]\n; kept\ntype=1\n");
    Profile p(ini());
    {
        Profile::Batch batch(p);
        for (int i = 0; i < 200; ++i)
            ASSERT_TRUE(p.WriteInt("Mirelta", "key" + std::to_string(i), i));
        ASSERT_TRUE(p.WriteInt("Mirelta", "type", 5));
        {
            Profile::Batch inner(p);
            ASSERT_TRUE(p.WriteReal("CALIBRATION", "length.x_0", 10.0));
            EXPECT_TRUE(inner.commit()); // the outer batch still holds the writes
        }
        EXPECT_EQ(ReadBytes(ini()), "[Mirelta]\n; kept\ntype=1\n");
        EXPECT_EQ(p.GetInt("Mirelta", "type", -1), 5); // pending writes are visible to this object
        EXPECT_EQ(p.GetInt("Mirelta", "key199", -1), 199);
        EXPECT_TRUE(batch.commit());
        EXPECT_TRUE(batch.commit());
    }
    Profile fresh(ini());
    EXPECT_EQ(fresh.GetInt("Mirelta", "type", -1), 5);
    EXPECT_EQ(fresh.GetInt("Mirelta", "key0", -1), 0);
    EXPECT_EQ(fresh.GetInt("Mirelta", "key199", -1), 199);
    EXPECT_EQ(fresh.ReadReal("CALIBRATION", "length.x_0", -1.0), 10.0);
    EXPECT_EQ(ReadBytes(ini()).rfind("[Mirelta]\n; kept\ntype=5\nkey0=0\nkey1=1\n", 0), 0u);
}

TEST_F(ProfileTest, BatchWithoutChangesWritesNothingAndAFailedBatchReportsIt) {
    Profile p(ini());
    {
        Profile::Batch batch(p);
        EXPECT_EQ(p.GetInt("Mirelta", "type", 1), 1);
    }
    EXPECT_TRUE(dir.entries().empty());

    Profile nowhere(dir.file("missing/Mirelta.ini"));
    Profile::Batch batch(nowhere);
    EXPECT_TRUE(nowhere.WriteInt("Mirelta", "type", 1));
    EXPECT_FALSE(batch.commit());
    EXPECT_EQ(nowhere.GetInt("Mirelta", "type", -1), -1);
}

TEST_F(ProfileTest, RealsUseAPointUnderADecimalCommaLocale) {
    ScopedLocale german("de_DE.UTF-8", "de_DE", "UTF-8");
    if (!german.ok())
        GTEST_SKIP() << "no German locale and no localedef";
    ASSERT_EQ(std::string(localeconv()->decimal_point), ",");
    WriteBytes(ini(), "[Mirelta]\nm_Bai_X=2.75\n");
    Profile p(ini());
    EXPECT_EQ(p.ReadReal("Mirelta", "m_Bai_X", 0.0), 2.75);
    EXPECT_EQ(p.ReadReal("Mirelta", "missing", 1.5), 1.5);
    ASSERT_TRUE(p.WriteReal("Mirelta", "m_Bai_Y", -0.25));
    EXPECT_NE(ReadBytes(ini()).find("m_Bai_Y=-0.250000\n"), std::string::npos);
    EXPECT_EQ(p.ReadReal("Mirelta", "m_Bai_Y", 0.0), -0.25);
}

TEST_F(ProfileTest, FileWithByteOrderMarkAndNoFinalLineEnd) {
    WriteBytes(ini(), "\xEF\xBB\xBF[Mirelta]\r\ntype=1");
    Profile p(ini());
    EXPECT_EQ(p.GetInt("Mirelta", "type", -1), 1);
    ASSERT_TRUE(p.WriteInt("Mirelta", "resize", 3));
    EXPECT_EQ(ReadBytes(ini()), "\xEF\xBB\xBF[Mirelta]\r\ntype=1\r\nresize=3\r\n");
}

} // namespace

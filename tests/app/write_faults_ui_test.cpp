// Files that cannot be written while the program runs: a full disk under every save
// (pictures, CSV, the data file, the settings and the thumbnail index at exit), a save
// folder that goes or turns read-only, a settings folder that refuses writing. Each
// time the old file stays whole, no temporary file is left, the operator is told why in
// the current language, the program goes on, and the next save after the fault works.
#include "support/measure_dlg_fixture.h"

#include "images/thumbnail_index.h"
#include "platform/string_table.h"

#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <map>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

namespace K = MeasureKind;

// A disk that can be filled: a small tmpfs mounted on the folder where that is allowed
// (root on a machine that permits mounts), otherwise the process's file-size limit at
// zero, which fails the same writes (EFBIG instead of ENOSPC) without a mount.
// MIRELTA_TEST_NO_MOUNT=1 takes the second way where mounts would work.
class FillableDisk {
public:
    explicit FillableDisk(const std::string& folder) : m_folder(folder) {
        m_mounted = !std::getenv("MIRELTA_TEST_NO_MOUNT") &&
                    mount("mirelta-test", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=16m,mode=0700") == 0;
    }
    ~FillableDisk() {
        free();
        if (m_mounted)
            umount2(m_folder.c_str(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    std::string filler() const { return m_folder + "/.filler"; }

    void fill() {
        if (!m_mounted) {
            std::signal(SIGXFSZ, SIG_IGN); // the write fails instead of ending the process
            getrlimit(RLIMIT_FSIZE, &m_limit);
            rlimit zero = m_limit;
            zero.rlim_cur = 0;
            setrlimit(RLIMIT_FSIZE, &zero);
            m_full = true;
            return;
        }
        const int fd = open(filler().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        ASSERT_GE(fd, 0);
        std::vector<char> block(1 << 16, 'f');
        for (std::size_t size = block.size(); size > 0; size /= 2)
            while (write(fd, block.data(), size) > 0) {
            }
        close(fd);
        m_full = true;
    }
    void free() {
        if (!m_full)
            return;
        if (m_mounted)
            unlink(filler().c_str());
        else
            setrlimit(RLIMIT_FSIZE, &m_limit);
        m_full = false;
    }
    // Turns the whole folder read-only (and back); false where that cannot be made.
    bool setReadOnly(bool readOnly) {
        if (m_mounted)
            return mount(nullptr, m_folder.c_str(), nullptr, MS_REMOUNT | (readOnly ? MS_RDONLY : 0), nullptr) == 0;
        if (geteuid() == 0)
            return false; // permissions do not stop root
        std::vector<fs::path> folders{m_folder};
        for (const auto& e : fs::recursive_directory_iterator(m_folder))
            if (e.is_directory())
                folders.push_back(e.path());
        for (const fs::path& f : folders)
            fs::permissions(f, readOnly ? fs::perms::owner_read | fs::perms::owner_exec : fs::perms::owner_all);
        return true;
    }

private:
    std::string m_folder;
    bool m_mounted = false;
    bool m_full = false;
    rlimit m_limit{};
};

// Every file under a folder with its bytes (the filler left out).
using Snapshot = std::map<std::string, std::string>;

// The files that differ between two snapshots, by name (empty when none does).
std::string Changed(const Snapshot& before, const Snapshot& after) {
    std::string names;
    for (const auto& [path, bytes] : after)
        if (auto it = before.find(path); it == before.end() || it->second != bytes)
            names += (it == before.end() ? " new " : " changed ") + path;
    for (const auto& [path, bytes] : before)
        if (!after.count(path))
            names += " gone " + path;
    return names;
}

class WriteFaults : public MeasureDlgFixture {
public:
    // For the table's steps.
    using MeasureDlgFixture::choosers;
    using MeasureDlgFixture::dir;
    using MeasureDlgFixture::dlg;
    using MeasureDlgFixture::measure;
    using MeasureDlgFixture::open;
    using MeasureDlgFixture::quit;
    void click(int id) { QTest::mouseClick(dlg->item(id), Qt::LeftButton); }

protected:
    void SetUp() override {
        MeasureDlgFixture::SetUp();
        disk = std::make_unique<FillableDisk>(dir);
    }
    void TearDown() override {
        dlg.reset();
        disk.reset();
        MeasureDlgFixture::TearDown();
    }

    Snapshot snapshot() const {
        Snapshot files;
        for (const auto& e : fs::recursive_directory_iterator(dir))
            if (e.is_regular_file() && e.path() != disk->filler())
                files[e.path().string()] = readFile(e.path().string());
        return files;
    }
    std::string saveFolder() const { return dir + "/data/bmp"; }
    std::string lastMessage() const { return prompt.asked().empty() ? "" : prompt.asked().back().text; }

    std::unique_ptr<FillableDisk> disk;
};

struct FaultCase {
    const char* name;
    // Makes the old file (and opens the window for the fault).
    std::function<void(WriteFaults&)> prime;
    // The save that meets the fault; run again once the space is back.
    std::function<void(WriteFaults&)> save;
    const char* english; // the start of the message
    const char* japanese;
    bool atExit; // the save closes the window: it is opened again afterwards
};

void QuickSave(WriteFaults& t, int type) {
    // Another picture each time: two quick saves within a second share their name.
    static int shade = 0;
    t.dlg->displayImage().fillRect(RGB(shade++ % 256, 100, 100));
    t.dlg->settings().m_FilterIndex = type;
    t.dlg->QuickSave();
}

void SaveAs(WriteFaults& t, const std::string& name, int filter) {
    t.choosers.queue(t.dir + "/data/bmp/" + name, filter);
    t.click(idc::SaveImage);
}

void Export(WriteFaults& t, int filter) {
    t.measure(K::Line, {{0, 0}, {0, 100.0 + t.dlg->measurements().GetCount()}});
    t.choosers.queue(t.dir + "/out.csv", filter);
    t.click(idc::Csv);
}

const FaultCase kDiskFullCases[] = {
    {"quick save BMP", [](WriteFaults& t) { QuickSave(t, 1); }, [](WriteFaults& t) { QuickSave(t, 1); },
     "The picture could not be saved.", "画像を保存できませんでした。", false},
    {"quick save JPEG", [](WriteFaults& t) { QuickSave(t, 2); }, [](WriteFaults& t) { QuickSave(t, 2); },
     "The picture could not be saved.", "画像を保存できませんでした。", false},
    {"SAVE over a BMP", [](WriteFaults& t) { SaveAs(t, "specimen.bmp", 1); },
     [](WriteFaults& t) {
         t.dlg->displayImage().fillRect(RGB(200, 10, 10));
         SaveAs(t, "specimen.bmp", 1);
     },
     "The picture could not be saved.", "画像を保存できませんでした。", false},
    {"SAVE over a JPEG", [](WriteFaults& t) { SaveAs(t, "specimen.jpg", 3); },
     [](WriteFaults& t) {
         t.dlg->displayImage().fillRect(RGB(10, 200, 10));
         SaveAs(t, "specimen.jpg", 3);
     },
     "The picture could not be saved.", "画像を保存できませんでした。", false},
    {"CSV export", [](WriteFaults& t) { Export(t, 1); }, [](WriteFaults& t) { Export(t, 1); },
     "The file could not be written:", "ファイルを書き込めませんでした：", false},
    {"data file", [](WriteFaults& t) { Export(t, 2); }, [](WriteFaults& t) { Export(t, 2); },
     "The file could not be written:", "ファイルを書き込めませんでした：", false},
    {"settings at exit",
     [](WriteFaults& t) {
         t.quit();
         t.open();
     },
     [](WriteFaults& t) {
         t.dlg->settings().m_FilterIndex = 4 - t.dlg->settings().m_FilterIndex % 3; // a change to keep
         t.quit();
     },
     "The settings could not be saved", "設定を保存できませんでした", true},
    {"thumbnail index at exit",
     [](WriteFaults& t) {
         QuickSave(t, 1);
         t.quit();
         t.open();
         SaveAs(t, "second.bmp", 1); // the index to write at exit has one thumbnail more
     },
     [](WriteFaults& t) { t.quit(); },
     "The thumbnail index could not be saved", "サムネイルの一覧を保存できませんでした", true},
};

TEST_F(WriteFaults, AFullDiskKeepsEveryOldFileAndTheNextSaveWorks) {
    std::cout << (disk->mounted() ? "a 16 MiB tmpfs" : "the file-size limit") << " stands for the full disk\n";
    for (const bool japanese : {false, true}) {
        g_bJapanese = japanese;
        for (const FaultCase& c : kDiskFullCases) {
            SCOPED_TRACE(std::string(c.name) + (japanese ? " (Japanese)" : ""));
            open();
            c.prime(*this);
            ASSERT_TRUE(dlg) << "the window is open for the save";
            const std::size_t told = prompt.asked().size();
            const Snapshot before = snapshot();
            disk->fill();
            c.save(*this);
            disk->free();
            EXPECT_EQ(Changed(before, snapshot()), "");
            // At exit the quit question comes first.
            const std::size_t asked = told + (c.atExit ? 2 : 1);
            ASSERT_EQ(prompt.asked().size(), asked) << lastMessage();
            const std::string& text = lastMessage();
            EXPECT_EQ(text.rfind(japanese ? c.japanese : c.english, 0), 0u) << text;
            EXPECT_NE(text.find(LoadStr(strid::DiskFull, japanese)), std::string::npos) << text;
            if (c.atExit)
                open();
            ASSERT_TRUE(dlg && dlg->isVisible()) << "the program goes on";

            // Space again: the same save works and says nothing.
            c.save(*this);
            EXPECT_EQ(prompt.asked().size(), asked + (c.atExit ? 1 : 0)) << lastMessage();
            EXPECT_NE(Changed(before, snapshot()), "");
            if (dlg)
                quit();
            fs::remove_all(dir + "/data");
            fs::remove(dir + "/out.csv");
            fs::remove(dir + "/out.mes");
        }
    }
}

TEST_F(WriteFaults, ASaveFolderThatGoesOrTurnsReadOnlyIsReportedAndLaterSavesWork) {
    CMeasureDlg& d = open();
    QuickSave(*this, 1);
    ASSERT_EQ(d.thumbnails().GetCount(), 1);

    fs::remove_all(saveFolder());
    QuickSave(*this, 1);
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_NE(lastMessage().find(LoadStr(strid::FolderMissing)), std::string::npos) << lastMessage();
    EXPECT_FALSE(fs::exists(saveFolder()));
    fs::create_directories(saveFolder());
    QuickSave(*this, 1);
    EXPECT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(fs::directory_iterator(saveFolder()) == fs::directory_iterator(), false);

    if (!disk->setReadOnly(true))
        GTEST_SKIP() << "a read-only folder cannot be made here (root without mounts)";
    const Snapshot before = snapshot();
    QuickSave(*this, 2);
    const std::string readOnlyText = lastMessage();
    disk->setReadOnly(false);
    ASSERT_EQ(prompt.asked().size(), 2u);
    EXPECT_NE(readOnlyText.find(LoadStr(strid::NotWritable)), std::string::npos) << readOnlyText;
    EXPECT_EQ(Changed(before, snapshot()), "");
    QuickSave(*this, 2);
    EXPECT_EQ(prompt.asked().size(), 2u);
}

TEST_F(WriteFaults, ASettingsFolderThatRefusesWritingKeepsTheFileAndTellsAtExit) {
    open();
    QuickSave(*this, 1);
    quit();
    const std::string settings = readFile(dir + "/Mirelta.ini");
    ASSERT_FALSE(settings.empty());

    open();
    QuickSave(*this, 1); // a thumbnail more, so the index changes too
    dlg->settings().m_FilterIndex = 3;
    if (!disk->setReadOnly(true))
        GTEST_SKIP() << "a read-only folder cannot be made here (root without mounts)";
    const Snapshot before = snapshot();
    // The settings stay in the running program until it ends.
    EXPECT_EQ(dlg->settings().m_FilterIndex, 3);
    quit();
    disk->setReadOnly(false);
    EXPECT_EQ(Changed(before, snapshot()), "");
    EXPECT_EQ(readFile(dir + "/Mirelta.ini"), settings);
    ASSERT_FALSE(prompt.asked().empty());
    EXPECT_NE(lastMessage().find("The settings could not be saved"), std::string::npos) << lastMessage();
    EXPECT_NE(lastMessage().find("The thumbnail index could not be saved"), std::string::npos) << lastMessage();
    EXPECT_NE(lastMessage().find(LoadStr(strid::NotWritable)), std::string::npos) << lastMessage();
}

} // namespace

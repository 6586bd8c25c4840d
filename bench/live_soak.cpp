// The long live run: the main window on a 60 frames/s virtual camera with 20 measurements,
// the grid and the scale bar, a quick save (F12) every minute, and the resident memory
// sampled every minute. Run by bench/run-soak, which plots the samples.
//
// Environment: SOAK_MINUTES (default 60), SOAK_WIDTH and SOAK_HEIGHT (default 1280 x 1024).
// Writes one line per minute to the file named by the first argument (or stdout):
//   minute rss_kib offered shown merged late saves
#include "live_scene.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

int EnvInt(const char* name, int fallback) {
    const char* v = std::getenv(name);
    if (v == nullptr || *v == '\0')
        return fallback;
    const int n = std::atoi(v);
    return n > 0 ? n : fallback;
}

long ResidentKib() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

int SavedFiles(const std::string& folder) {
    int n = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ec))
        n += entry.is_regular_file() && entry.path().extension() != ".ini" ? 1 : 0;
    return n;
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const int minutes = EnvInt("SOAK_MINUTES", 60);
    bench::LiveScene scene;
    scene.width = EnvInt("SOAK_WIDTH", 1280);
    scene.height = EnvInt("SOAK_HEIGHT", 1024);
    scene.measurements = true;
    char tmpl[] = "/tmp/mirelta-soak-XXXXXX";
    const char* made = mkdtemp(tmpl);
    if (made == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string dir = made;
    std::FILE* out = argc > 1 ? std::fopen(argv[1], "w") : stdout;
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }

    bench::LiveWindowSetup setup(dir, scene);
    auto dlg = std::make_unique<CMeasureDlg>(setup.options);
    dlg->resize(1400, 1000);
    dlg->show();
    LiveView* live = dlg->liveView();
    if (live == nullptr) {
        std::fprintf(stderr, "no camera\n");
        return 1;
    }
    QTest::qWait(500); // past the first frames
    setup.addMeasurements(*dlg);
    live->frameImage().resetCounters();
    live->resetStats();

    std::fprintf(out, "# %dx%d, 60 frames/s, 20 measurements, grid, scale bar, F12 every minute\n",
                 scene.width, scene.height);
    std::fprintf(out, "# minute rss_kib offered shown merged late saves\n");
    const auto sample = [&](int minute) {
        const SharedFrame::Counters c = live->frameImage().counters();
        const LiveView::Stats& s = live->stats();
        std::fprintf(out, "%d %ld %llu %llu %llu %llu %d\n", minute, ResidentKib(),
                     static_cast<unsigned long long>(c.offered),
                     static_cast<unsigned long long>(s.shown),
                     static_cast<unsigned long long>(c.merged),
                     static_cast<unsigned long long>(s.late), SavedFiles(dir + "/data"));
        std::fflush(out);
    };
    sample(0);
    QElapsedTimer clock;
    clock.start();
    for (int minute = 1; minute <= minutes; ++minute) {
        while (clock.elapsed() < minute * 60000LL)
            QTest::qWait(50);
        dlg->QuickSave();
        sample(minute);
    }
    if (!setup.prompt.asked().empty())
        std::fprintf(out, "# prompts asked: %zu, first: %s\n", setup.prompt.asked().size(),
                     setup.prompt.asked().front().text.c_str());
    if (out != stdout)
        std::fclose(out);

    // Freeze the camera and let its thread wind down before the window goes.
    dlg->OnLive();
    QTest::qWait(300);
    setup.prompt.queue(PromptAnswer::Yes);
    dlg->reject();
    dlg.reset();
    std::filesystem::remove_all(dir);
    return 0;
}

// The thumbnail store at start-up and saving a camera picture:
//  - SyncWithFolder over 200 JPEG pictures of 1280 x 1024 without an index (the first
//    start in a full folder), and for comparison the same with every picture decoded at
//    full size; both for progressive files (as Mirelta saves them) and baseline files (as
//    cameras and most other programs write them);
//  - LoadIndex of the same 200 entries (every later start);
//  - saving one 1280 x 1024 picture as JPEG (high quality) and as BMP, thumbnail included,
//    written to a temporary file, flushed to disk and renamed; without and with the
//    overlay burnt in (20 measurements of every kind with their labels, the scale bar and
//    a grid).
#include "bench_scene.h"
#include "images/image_saving.h"
#include "images/jpeg_codec.h"
#include "images/picture_file_writer.h"
#include "images/thumbnail_index.h"
#include "images/thumbnail_store.h"
#include "platform/path_parts.h"
#include "view/overlay_composer.h"

#include <benchmark/benchmark.h>

#include <jpeglib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 1024;
constexpr int kPictures = 200;

std::uint8_t ClampByte(int v) {
    return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

// A specimen-like picture that differs from picture to picture. Deterministic.
CDibImage MakePicture(int n) {
    CDibImage image;
    image.create(kWidth, kHeight, 24);
    std::uint32_t seed = 0x9E3779B9u * static_cast<std::uint32_t>(n + 1);
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t* row = image.scanLine(y);
        for (int x = 0; x < kWidth; ++x) {
            int r = 180 - (x + n * 17) % 90, g = 150 + (y % 64 < 8 ? -90 : 0),
                b = 120 + (x / 64 + n) % 3 * 30;
            const int cx = x - 640 - n, cy = y - 512;
            if (cx * cx + cy * cy < 200 * 200)
                r = 220, g = 60, b = 40;
            seed ^= seed << 13;
            seed ^= seed >> 17;
            seed ^= seed << 5;
            const int noise = static_cast<int>(seed % 11) - 5;
            row[3 * x] = ClampByte(b + noise);
            row[3 * x + 1] = ClampByte(g + noise);
            row[3 * x + 2] = ClampByte(r + noise);
        }
    }
    return image;
}

std::string g_root;

void RemoveRoot() {
    std::error_code ec;
    std::filesystem::remove_all(g_root, ec);
}

std::string MakeRoot() {
    const char* base = std::getenv("TMPDIR");
    std::string tmpl =
        std::string(base && *base ? base : "/tmp") + "/mirelta-thumbnail-bench-XXXXXX";
    if (!mkdtemp(tmpl.data()))
        std::abort();
    g_root = tmpl;
    std::atexit(RemoveRoot);
    return tmpl;
}

// A baseline (sequential) JPEG at quality 90, as a camera writes it; Mirelta itself only
// writes progressive files.
bool WriteBaselineJpeg(const std::string& path, const CDibImage& image) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err); // a failure here aborts the benchmark, which is fine
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = static_cast<JDIMENSION>(image.width());
    cinfo.image_height = static_cast<JDIMENSION>(image.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.scanLine(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(file) == 0;
}

// The folders of 200 pictures (progressive and baseline) and, beside them, nothing else:
// the index is written by the LoadIndex benchmark into a copy of its own.
const std::string& PictureFolder(bool progressive = true) {
    static const std::string root = g_root.empty() ? MakeRoot() : g_root;
    const auto make = [](const std::string& folder, bool progressive) {
        std::filesystem::create_directory(folder);
        for (int i = 0; i < kPictures; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "%03d.jpg", i);
            const std::string path = JoinPath(folder, name);
            const CDibImage picture = MakePicture(i);
            if (!(progressive ? WritePictureFile(path, picture, 3) : WriteBaselineJpeg(path, picture)))
                std::abort();
        }
        return folder;
    };
    if (progressive) {
        static const std::string folder = make(root + "/progressive", true);
        return folder;
    }
    static const std::string folder = make(root + "/baseline", false);
    return folder;
}

const char* KindLabel(bool progressive) { return progressive ? "progressive" : "baseline"; }

// state.range(0): 1 progressive files, 0 baseline files.
void BM_SyncWithFolder200Jpeg(benchmark::State& state) {
    const bool progressive = state.range(0) != 0;
    const std::string& folder = PictureFolder(progressive);
    state.SetLabel(KindLabel(progressive));
    for (auto _ : state) {
        CThumbNail list;
        list.SyncWithFolder(folder);
        if (list.GetCount() != kPictures)
            state.SkipWithError("not every picture was read");
    }
    state.SetItemsProcessed(state.iterations() * kPictures);
}
// Each figure is the median of five runs of two passes over the folder.
BENCHMARK(BM_SyncWithFolder200Jpeg)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// What the first start would cost without the reduced-scale decode.
void BM_SyncWithFolder200JpegFullDecode(benchmark::State& state) {
    const bool progressive = state.range(0) != 0;
    const std::string& folder = PictureFolder(progressive);
    state.SetLabel(KindLabel(progressive));
    for (auto _ : state) {
        CThumbNail list;
        for (const auto& e : std::filesystem::directory_iterator(folder)) {
            CDibImage picture;
            if (DecodeJpeg(e.path().string(), picture))
                list.AddThumbnail(e.path().string(), picture);
        }
        if (list.GetCount() != kPictures)
            state.SkipWithError("not every picture was read");
    }
    state.SetItemsProcessed(state.iterations() * kPictures);
}
BENCHMARK(BM_SyncWithFolder200JpegFullDecode)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_LoadIndex200(benchmark::State& state) {
    const std::string& folder = PictureFolder();
    const std::string index = ThumbnailIndexPath(folder);
    {
        CThumbNail list;
        list.SyncWithFolder(folder);
        if (!list.SaveIndex(index))
            std::abort();
    }
    for (auto _ : state) {
        CThumbNail list;
        list.LoadIndex(index);
        if (list.GetCount() != kPictures)
            state.SkipWithError("not every entry was read");
    }
    std::filesystem::remove(index);
    state.SetItemsProcessed(state.iterations() * kPictures);
}
BENCHMARK(BM_LoadIndex200)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// What the operator typically has on a saved picture.
struct SavedOverlay : bench::Overlay {
    SavedOverlay() {
        bench::AddMeasurements(chain, 20, {5, 80, 80, 230, 230}, bench::kLargeFigure);
        ShowScaleBar();
    }
};

// state.range(0): the save type, 1 BMP or 2 JPEG high quality; state.range(1): 1 with the
// overlay burnt in.
void BM_SaveImage1280x1024(benchmark::State& state) {
    bench::EnsureGui();
    const int type = static_cast<int>(state.range(0));
    const bool burn = state.range(1) != 0;
    static const CDibImage picture = MakePicture(7);
    static SavedOverlay overlay;
    const std::string folder = g_root.empty() ? MakeRoot() : g_root;
    const std::string path = JoinPath(folder, type == 1 ? "saved.bmp" : "saved.jpg");
    OverlayBurnIn burnIn;
    if (burn)
        burnIn = [](CDibImage& copy) { DrawOverlayOntoImage(copy, overlay.in); };
    CThumbNail list;
    for (auto _ : state) {
        if (SaveImage(list, path, picture, type, burnIn) != SaveResult::Written)
            state.SkipWithError("not written");
    }
    state.SetLabel(std::string(type == 1 ? "BMP" : "JPEG quality 100") +
                   (burn ? ", overlay burnt in" : ""));
}
BENCHMARK(BM_SaveImage1280x1024)
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({2, 0})
    ->Args({2, 1})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

// The edge image, the blob search and the per-pixel kernels beside OpenCV's nearest
// equivalents on the same pictures, single-threaded. Built only where OpenCV is installed.
// Each Mirelta figure has its OpenCV reference in the same run; compare the medians of
// --benchmark_repetitions.
#include "calib/blob_search.h"
#include "capture/white_balance.h"
#include "images/dib_image.h"
#include "images/grey_convert.h"
#include "images/resample_nearest.h"
#include "model/polygon_pixel_count.h"
#include "view/edge_image.h"

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace {

// The grey picture both sides start from, as one 8-bit image without row padding.
CDibImage GreyScene(int w, int h) {
    CDibImage image;
    image.createMemoryOnly(w, h, 8);
    std::mt19937 rng(11);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool square = ((x / 40) + (y / 40)) % 2 == 0;
            image.scanLine(y)[x] =
                static_cast<std::uint8_t>((square ? 60 : 190) + (x + y) % 16 + rng() % 7);
        }
    return image;
}

cv::Mat View(const CDibImage& image) {
    return cv::Mat(image.height(), image.width(), CV_8UC1, const_cast<std::uint8_t*>(image.bits()),
                   static_cast<std::size_t>(image.stride()));
}

void SingleThread() {
    cv::setNumThreads(1);
}

void EdgeMirelta(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const CDibImage grey = GreyScene(w, h);
    CDibImage edge;
    edge.createMemoryOnly(w, h, 8);
    for (auto _ : state) {
        benchmark::DoNotOptimize(EdgeImageFromGrey(grey, edge, 0));
        benchmark::ClobberMemory();
    }
}

void EdgeOpenCv(benchmark::State& state) {
    SingleThread();
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const CDibImage grey = GreyScene(w, h);
    const cv::Mat src = View(grey);
    cv::Mat dx, dy, fx, fy, magnitude;
    for (auto _ : state) {
        cv::Sobel(src, dx, CV_16S, 1, 0);
        cv::Sobel(src, dy, CV_16S, 0, 1);
        dx.convertTo(fx, CV_32F);
        dy.convertTo(fy, CV_32F);
        cv::magnitude(fx, fy, magnitude);
        benchmark::DoNotOptimize(magnitude.data);
        benchmark::ClobberMemory();
    }
}

// The same dot grid as the blob search benchmark: 2000 dots of radius 8.
cv::Mat DotMask() {
    cv::Mat mask(1024, 1280, CV_8UC1, cv::Scalar(0));
    for (int j = 0; j < 40; ++j)
        for (int i = 0; i < 50; ++i) {
            const int cx = 13 + i * 1280 / 50, cy = 13 + j * 1024 / 40;
            for (int y = cy - 8; y <= cy + 8; ++y)
                for (int x = cx - 8; x <= cx + 8; ++x)
                    if ((x - cx) * (x - cx) + (y - cy) * (y - cy) < 64)
                        mask.at<std::uint8_t>(y, x) = 255;
        }
    return mask;
}

// Mirelta's search including the step that marks the label image from the 8-bit mask,
// which OpenCV's figure also contains.
void BlobsMirelta(benchmark::State& state) {
    const cv::Mat mask = DotMask();
    LabelImage labels;
    labels.assign(mask.cols, mask.rows, kLabelBackground);
    BlobSearch search;
    std::vector<FoundBlob> found;
    found.reserve(4096);
    for (auto _ : state) {
        for (int y = 0; y < mask.rows; ++y) {
            const std::uint8_t* m = mask.ptr<std::uint8_t>(y);
            std::int32_t* l = labels.row(y);
            for (int x = 0; x < mask.cols; ++x)
                l[x] = m[x] ? kLabelForeground : kLabelBackground;
        }
        found.clear();
        search.run(labels, {0, 0, labels.width, labels.height}, 5, 1e9, 1e8, found);
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["blobs"] = static_cast<double>(found.size());
}

void BlobsOpenCv(benchmark::State& state) {
    SingleThread();
    const cv::Mat mask = DotMask();
    cv::Mat labels, stats, centroids;
    const int algorithm = state.range(0) == 0 ? cv::CCL_DEFAULT : cv::CCL_GRANA;
    state.SetLabel(state.range(0) == 0 ? "CCL_DEFAULT" : "CCL_GRANA");
    int n = 0;
    for (auto _ : state) {
        n = cv::connectedComponentsWithStats(mask, labels, stats, centroids, 8, CV_32S, algorithm);
        benchmark::DoNotOptimize(n);
    }
    state.counters["blobs"] = n - 1;
}

// A colour camera frame, 24-bit, rows padded to four bytes as the frame image keeps them.
CDibImage ColourScene(int w, int h) {
    CDibImage image;
    image.create(w, h, 24);
    std::mt19937 rng(5);
    for (std::size_t i = 0; i < image.byteSize(); ++i)
        image.bits()[i] = static_cast<std::uint8_t>(rng());
    return image;
}

cv::Mat ViewBgr(CDibImage& image) {
    return cv::Mat(image.height(), image.width(), CV_8UC3, image.bits(),
                   static_cast<std::size_t>(image.stride()));
}

// The grey copy the edge image starts from (args: width, height).
void GreyMirelta(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const CDibImage frame = ColourScene(w, h);
    CDibImage grey;
    grey.createMemoryOnly(w, h, 8);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ToGrey8(frame, grey));
        benchmark::ClobberMemory();
    }
}

void GreyOpenCv(benchmark::State& state) {
    SingleThread();
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    CDibImage frame = ColourScene(w, h);
    const cv::Mat src = ViewBgr(frame);
    cv::Mat grey(h, w, CV_8UC1);
    for (auto _ : state) {
        cv::cvtColor(src, grey, cv::COLOR_BGR2GRAY);
        benchmark::DoNotOptimize(grey.data);
        benchmark::ClobberMemory();
    }
}

// The camera frame into the resized live display (args: display width, height).
void ResizeMirelta(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const CDibImage frame = ColourScene(1280, 1024);
    CDibImage out;
    out.create(w, h, 24);
    for (auto _ : state) {
        ResampleNearest(frame, {0, 0, 1280, 1024}, out, {0, 0, w, h});
        benchmark::DoNotOptimize(out.bits());
        benchmark::ClobberMemory();
    }
}

void ResizeOpenCv(benchmark::State& state) {
    SingleThread();
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    CDibImage frame = ColourScene(1280, 1024);
    CDibImage out;
    out.create(w, h, 24);
    const cv::Mat src = ViewBgr(frame);
    cv::Mat dst = ViewBgr(out);
    for (auto _ : state) {
        cv::resize(src, dst, dst.size(), 0, 0, cv::INTER_NEAREST);
        benchmark::DoNotOptimize(dst.data);
        benchmark::ClobberMemory();
    }
}

// The white-balance offsets on a camera frame (+12 red, -7 blue, green unchanged).
void OffsetsMirelta(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    CDibImage frame = ColourScene(w, h);
    for (auto _ : state) {
        ApplyWhiteBalanceOffsets(frame, 12, -7);
        benchmark::ClobberMemory();
    }
}

void OffsetsOpenCv(benchmark::State& state) {
    SingleThread();
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    CDibImage frame = ColourScene(w, h);
    cv::Mat image = ViewBgr(frame);
    const cv::Scalar offset(-7, 0, 12);
    for (auto _ : state) {
        cv::add(image, offset, image);
        benchmark::ClobberMemory();
    }
}

// The polygons of the polygon counter's benchmark, in a 1280 x 1024 picture (arg: 0 square,
// 1 triangle, 2 the 50-pointed star, 3 the self-intersecting zig-zag).
std::vector<DPOINT> Shape(int which) {
    std::vector<DPOINT> p;
    switch (which) {
    case 0: p = {{200, 150}, {1000, 150}, {1000, 850}, {200, 850}}; break;
    case 1: p = {{100, 900}, {640, 80}, {1200, 1000}}; break;
    case 2:
        for (int i = 0; i < 100; ++i) {
            const double a = 2.0 * M_PI * i / 100, r = i % 2 == 0 ? 500 : 250;
            p.push_back({640 + r * std::cos(a), 512 + r * std::sin(a)});
        }
        break;
    default:
        for (int i = 0; i < 100; ++i)
            p.push_back({(i * 397 % 1000) / 1000.0 * 1280, (i * 211 % 1000) / 1000.0 * 1024});
        break;
    }
    return p;
}

const char* ShapeName(int which) {
    static const char* const names[] = {"square", "triangle", "star100", "self_intersecting100"};
    return names[which];
}

void PolygonMirelta(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    state.SetLabel(ShapeName(which));
    const auto p = Shape(which);
    std::int64_t n = 0;
    for (auto _ : state) {
        n = PolygonPixelCount(p.data(), static_cast<int>(p.size()), 1280, 1024).value_or(-1);
        benchmark::DoNotOptimize(n);
    }
    state.counters["pixels"] = static_cast<double>(n);
}

// The even-odd fill with its one-pixel outline, as the counter defines it, and the count.
void PolygonOpenCv(benchmark::State& state) {
    SingleThread();
    const int which = static_cast<int>(state.range(0));
    state.SetLabel(ShapeName(which));
    std::vector<cv::Point> p;
    for (const DPOINT& d : Shape(which))
        p.emplace_back(static_cast<int>(d.x), static_cast<int>(d.y));
    cv::Mat mask(1024, 1280, CV_8UC1);
    const cv::Point* pts[] = {p.data()};
    const int counts[] = {static_cast<int>(p.size())};
    int n = 0;
    for (auto _ : state) {
        mask.setTo(0);
        cv::fillPoly(mask, pts, counts, 1, cv::Scalar(255));
        cv::polylines(mask, pts, counts, 1, true, cv::Scalar(255));
        n = cv::countNonZero(mask);
        benchmark::DoNotOptimize(n);
    }
    state.counters["pixels"] = n;
}

BENCHMARK(GreyMirelta)->Args({1280, 1024})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(GreyOpenCv)->Args({1280, 1024})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(ResizeMirelta)->Args({800, 600})->Args({140, 105})->Unit(benchmark::kMicrosecond);
BENCHMARK(ResizeOpenCv)->Args({800, 600})->Args({140, 105})->Unit(benchmark::kMicrosecond);
BENCHMARK(OffsetsMirelta)->Args({1280, 1024})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(OffsetsOpenCv)->Args({1280, 1024})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(PolygonMirelta)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(PolygonOpenCv)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(EdgeMirelta)->Args({1280, 1024})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(EdgeOpenCv)->Args({1280, 1024})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(BlobsMirelta)->Unit(benchmark::kMicrosecond);
BENCHMARK(BlobsOpenCv)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

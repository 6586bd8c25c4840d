// The edge image and the blob search beside OpenCV's nearest equivalents on the same
// pictures, single-threaded. Built only where OpenCV is installed.
#include "calib/blob_search.h"
#include "images/dib_image.h"
#include "view/edge_image.h"

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

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

BENCHMARK(EdgeMirelta)->Args({1280, 1024})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(EdgeOpenCv)->Args({1280, 1024})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(BlobsMirelta)->Unit(benchmark::kMicrosecond);
BENCHMARK(BlobsOpenCv)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

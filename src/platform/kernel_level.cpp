#include "platform/kernel_level.h"

#include <atomic>

namespace {

bool CpuHasAvx2() {
#ifdef MIRELTA_AVX2_KERNELS
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
#else
    return false;
#endif
}

// -1: the best the processor has; otherwise a KernelLevel.
std::atomic<int> g_pinned{-1};

} // namespace

std::vector<KernelLevel> AvailableKernelLevels() {
    std::vector<KernelLevel> levels{KernelLevel::Baseline};
    if (CpuHasAvx2())
        levels.push_back(KernelLevel::Avx2);
    return levels;
}

const char* KernelLevelName(KernelLevel level) {
    return level == KernelLevel::Avx2 ? "avx2" : "baseline";
}

bool UseAvx2Kernels() {
    const int pinned = g_pinned.load(std::memory_order_relaxed);
    if (pinned >= 0)
        return pinned == static_cast<int>(KernelLevel::Avx2) && CpuHasAvx2();
    return CpuHasAvx2();
}

ScopedKernelLevel::ScopedKernelLevel(KernelLevel level)
    : m_previous(g_pinned.exchange(static_cast<int>(level))) {}

ScopedKernelLevel::~ScopedKernelLevel() { g_pinned.store(m_previous); }

#pragma once
#include <vector>

// The per-pixel kernels are compiled once for the baseline processor and, on x86, once
// more for AVX2; which build runs is chosen at run time, so one program serves old and
// new processors alike and the wider build is used wherever the processor has it. Both
// builds give the same bytes; tests run each kernel on every level the processor has.
#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define MIRELTA_AVX2_KERNELS 1
#define MIRELTA_TARGET_AVX2 [[gnu::target("avx2")]]
#endif

enum class KernelLevel { Baseline, Avx2 };

// The levels this processor runs, the baseline first.
std::vector<KernelLevel> AvailableKernelLevels();
const char* KernelLevelName(KernelLevel level);

// Whether the kernels take their AVX2 build now.
bool UseAvx2Kernels();

// Pins every kernel to one level while it lives (tests); a level the processor lacks
// is ignored.
class ScopedKernelLevel {
public:
    explicit ScopedKernelLevel(KernelLevel level);
    ~ScopedKernelLevel();
    ScopedKernelLevel(const ScopedKernelLevel&) = delete;
    ScopedKernelLevel& operator=(const ScopedKernelLevel&) = delete;

private:
    int m_previous;
};

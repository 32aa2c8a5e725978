// Which build of the pixel loops runs on this processor.
#include "ui/cpu.h"

KernelWidth widestKernels = KernelWidth::Avx512;

KernelWidth kernelWidth() {
#if defined(RORED_AVX2_KERNELS)
    static const KernelWidth processor = __builtin_cpu_supports("avx512bw") ? KernelWidth::Avx512
                                         : __builtin_cpu_supports("avx2")   ? KernelWidth::Avx2
                                                                            : KernelWidth::Baseline;
    return processor < widestKernels ? processor : widestKernels;
#else
    return KernelWidth::Baseline;
#endif
}

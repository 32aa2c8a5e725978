// Which build of the pixel loops runs on this processor.
#include "ui/cpu.h"

bool preferAvx2Kernels = true;

bool useAvx2Kernels() {
#if defined(RORED_AVX2_KERNELS)
    static const bool hasAvx2 = __builtin_cpu_supports("avx2");
    return preferAvx2Kernels && hasAvx2;
#else
    return false;
#endif
}

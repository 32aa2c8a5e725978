// Which build of the pixel loops runs: on x86-64 the hottest loops also come
// in AVX2 and AVX-512 builds, each compiled in a unit of its own and chosen at
// run time. Every build gives the same bytes.
#pragma once

// --- Choice of pixel loops -------------------------------------------------------
enum class KernelWidth { Baseline, Avx2, Avx512 }; // widening in this order

extern KernelWidth widestKernels; // the widest build allowed; tests lower it to check the others

// The widest build both allowed and run by this processor (and system).
// Asked before each picture by the blended blit, the blur and the grid moves.
KernelWidth kernelWidth();

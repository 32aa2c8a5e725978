// Which build of the pixel loops runs: on x86 the hottest loops also come in
// AVX2 builds, compiled in units of their own and chosen at run time.
#pragma once

// --- Choice of pixel loops -------------------------------------------------------
extern bool preferAvx2Kernels; // true unless a test turns it off to check the baseline loops

// True when preferAvx2Kernels holds and the processor (and system) runs AVX2
// code. Asked before each picture by the blended blit, the blur and the grid moves.
bool useAvx2Kernels();

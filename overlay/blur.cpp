// The six blur passes and the wash-out. Each pass turns the previous pass's
// picture into a new one: a pixel at least `distance` from every edge becomes
// the truncated average of the four pixels `distance` away (left, right,
// above, below); every other pixel keeps its sharp value.
//
//   pass       1  2  3  4  5  6
//   distance   3  3  1  1  1  1
//   adds 1     -  y  -  -  -  -     (to the sum, before dividing by 4)
//
// The passes go back and forth between a work grid and the washed grid,
// starting from the sharp one, so that the last lands in the washed grid.
#include "overlay/blur.h"

#include "overlay/grid.h"
#include "ui/pixel_kernels.h"

#include <cstring>

namespace {

struct Pass {
    int distance;
    bool addsOne;
};
constexpr Pass PASSES[] = {{3, false}, {3, true}, {1, false}, {1, false}, {1, false}, {1, false}};

alignas(64) uint8_t workPixels[GRID_BYTES];

// One pass from the grid `from` into the grid `to`.
void runPass(Pass pass, const uint8_t* sharp, const uint8_t* from, uint8_t* to) {
    const int d = pass.distance;
    const int up = 3 * d;                     // bytes from a pixel to the one `distance` above
    const int across = d * GRID_COLUMN_BYTES; // and to the one `distance` to its right
    const int inside = GRID_COLUMN_BYTES - 2 * up;
    for (int x = 0; x < GRID_WIDTH; ++x) {
        const int column = x * GRID_COLUMN_BYTES;
        if (x < d || x >= GRID_WIDTH - d) {
            std::memcpy(to + column, sharp + column, GRID_COLUMN_BYTES);
            continue;
        }
        const uint8_t* centre = from + column + up; // row d, the first averaged
        averageOfFour(centre - across, centre + across, centre - up, centre + up, to + column + up,
                      inside, pass.addsOne);
        std::memcpy(to + column, sharp + column, up);
        std::memcpy(to + column + up + inside, sharp + column + up + inside, up);
    }
}

} // namespace

void blurAndWashOut(const uint8_t* sharp, uint8_t* washed) {
    const uint8_t* from = sharp;
    for (int pass = 0; pass < 6; ++pass) {
        uint8_t* to = pass % 2 == 0 ? workPixels : washed;
        runPass(PASSES[pass], sharp, from, to);
        from = to;
    }
    washOut(washed, GRID_BYTES);
}

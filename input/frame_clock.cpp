// Frame pacing for the main loop.
#include "input/frame_clock.h"

uint32_t frameDelay(uint32_t passStart, uint32_t now) {
    // Unsigned subtraction wraps with the 49-day tick counter; read as signed
    // it is the true elapsed time either side of the wrap.
    const int32_t elapsed = static_cast<int32_t>(now - passStart);
    if (elapsed >= FRAME_MS)
        return 0;
    if (elapsed < 0) // the clock never runs backwards; sleep no more than one frame
        return FRAME_MS;
    return static_cast<uint32_t>(FRAME_MS - elapsed);
}

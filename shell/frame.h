// One pass of the main loop, apart from its pacing: input, the match and the
// current screen while the overlay is closed, the overlay, the flip and the
// quit check. main runs it in a loop; tools and benchmarks run it frame by frame.
#pragma once

// Runs one frame in the fixed order. Called by main once per pass, which then
// sleeps the rest of FRAME_MS.
void runFrame();

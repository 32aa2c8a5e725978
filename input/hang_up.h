// A hang-up (SIGHUP: the terminal or the session went away) ends the game as
// a close request does: the pass in progress finishes, then the program
// exits normally, so a screenshot being written is completed, not cut off.
#pragma once

#include <csignal>

// --- Hang-up ---------------------------------------------------------------------
extern volatile std::sig_atomic_t hangUpReceived; // set by the SIGHUP handler

// Catches SIGHUP unless it is ignored (as under nohup), and unblocks it if
// the game was started with it blocked. Called once by start-up, before SDL
// starts any thread; the main loop's quit check reads hangUpReceived every
// pass.
void catchHangUp();

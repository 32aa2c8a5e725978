// Where the game's pictures live: the Media folder in the working folder, as
// when playing from a clone, or else the data folder installed beside the
// game, so that an installed game finds them whatever folder it starts in.
#pragma once

// --- Picture folder ------------------------------------------------------------
extern int mediaParent; // descriptor of the folder holding Media/; AT_FDCWD = working folder

// The installed data folder, relative to the folder of the executable.
constexpr const char* INSTALLED_DATA_FOLDER = "../share/rored";

// Keeps the working folder when it holds Media/, else takes the installed
// data folder found from /proc/self/exe when that holds Media/. Called once by
// start-up, before any picture is loaded.
void findMediaFolder();

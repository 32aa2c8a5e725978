// Where the game's pictures live: the Media folder in the working folder, as
// when playing from a clone, or else the data folder installed beside the
// game, so that an installed game finds them whatever folder it starts in.
#pragma once

#include <filesystem>

// --- Picture folder ------------------------------------------------------------
extern int mediaParent; // descriptor of the folder holding Media/; AT_FDCWD = working folder

// The installed data folder, relative to the folder of the executable: the
// same from games/ (Debian's place for games) and from bin/.
constexpr const char* INSTALLED_DATA_FOLDER = "../share/games/rored";

// The working folder (AT_FDCWD) when its Media/ holds the game's picture
// folders Game/ and Plinth/, as a clone's does; else an open descriptor of
// the data folder installed beside `executable` when that one does; else
// AT_FDCWD, where nothing will load. A Media/ of the user's own (~/Media)
// is passed over.
int chooseMediaParent(const std::filesystem::path& executable);

// Sets mediaParent by chooseMediaParent for the running executable. Called
// once by start-up, before any picture is loaded.
void findMediaFolder();

// The display surface and the run flag, shared by every subsystem.
#include "ui/display.h"

SDL_Surface* screen;
bool quitRequested;

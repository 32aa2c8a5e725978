// The window: its size at start-up, resizes and the fullscreen toggle, the
// game's place in it, and the pointer mapped back into the game.
//
//   desktop 1920x1080 -> window 1280x960, k = 2, game at (0, 0)
//   fullscreen there  -> 1920x1080,      k = 2, game at (320, 60), black around
//   window 1000x700   ->                 k = 1, game at (180, 110)
//   window 600x400    ->                 k = 1, game at (-20, -40), cropped
#include "ui/window.h"

#include "input/input.h"
#include "ui/display.h"
#include "ui/picture_file.h"

#include <algorithm>

SDL_Surface* windowSurface;
int gameScale = 1;
int gameLeft, gameTop;
bool windowFullscreen;
int windowedWidth, windowedHeight;
int desktopWidth, desktopHeight;
bool windowHidden;

SDL_Surface* (*setVideoMode)(int, int, int, Uint32) = SDL_SetVideoMode;

namespace {

// The window's picture, shown in the task bar and the window switcher.
constexpr const char* WINDOW_ICON = "Media/Game/icon.png";

// The game fills at most 9/10 of the desktop at start-up, leaving room for
// the window's frame and the desktop's panels.
constexpr int FIT_NUMERATOR = 9, FIT_DENOMINATOR = 10;

SDL_Surface* gameSurface; // `screen` while the game does not fill the window
SDL_Surface* windowIcon;  // kept: SDL may refer to it while the window lives
int windowDepth;          // bits per pixel of the first window, asked for ever after

Uint32 modeFlags(bool fullscreen) {
    return SDL_DOUBLEBUF | (fullscreen ? SDL_FULLSCREEN : SDL_RESIZABLE);
}

// A 640x480 surface in the window's format, palette included.
SDL_Surface* makeGameSurface(const SDL_PixelFormat* format) {
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, SCREEN_WIDTH, SCREEN_HEIGHT, format->BitsPerPixel,
                             format->Rmask, format->Gmask, format->Bmask, format->Amask);
    if (surface && format->palette)
        SDL_SetPalette(surface, SDL_LOGPAL, format->palette->colors, 0, format->palette->ncolors);
    return surface;
}

// Copies 640x480 pixels between two surfaces of one format, byte for byte.
void copyGamePixels(SDL_Surface* from, SDL_Surface* to) {
    SDL_LockSurface(from);
    SDL_LockSurface(to);
    const int rowBytes = SCREEN_WIDTH * from->format->BytesPerPixel;
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        std::copy_n(static_cast<const Uint8*>(from->pixels) + y * from->pitch, rowBytes,
                    static_cast<Uint8*>(to->pixels) + y * to->pitch);
    SDL_UnlockSurface(to);
    SDL_UnlockSurface(from);
}

// Before SDL remakes the window, the game's picture moves to a surface of its
// own, so that `screen` never names pixels SDL is about to free.
bool detachScreen() {
    if (screen != windowSurface)
        return true;
    if (!gameSurface)
        gameSurface = makeGameSurface(windowSurface->format);
    if (!gameSurface)
        return false;
    copyGamePixels(windowSurface, gameSurface);
    screen = gameSurface;
    return true;
}

// The largest k for which 640k x 480k fits in width x height times num/den.
int scaleWithin(long width, long height, long num, long den) {
    const long k =
        std::min(width * num / (SCREEN_WIDTH * den), height * num / (SCREEN_HEIGHT * den));
    return int(std::max(1L, k));
}

// Places the game in the window just set. Only a window of exactly 640x480
// takes the game's pixels straight; every other one is cleared to black once
// here and then shows the game through presentFrame.
void layOut() {
    const int w = windowSurface->w, h = windowSurface->h;
    gameScale = fittingScale(w, h);
    gameLeft = (w - SCREEN_WIDTH * gameScale) / 2;
    gameTop = (h - SCREEN_HEIGHT * gameScale) / 2;
    if (w == SCREEN_WIDTH && h == SCREEN_HEIGHT) {
        if (screen && screen != windowSurface)
            copyGamePixels(screen, windowSurface);
        screen = windowSurface;
    } else {
        SDL_FillRect(windowSurface, nullptr, SDL_MapRGB(windowSurface->format, 0, 0, 0));
    }
}

// SDL 1.2 grabs the pointer in fullscreen, and a grabbed hidden pointer
// reports motion relative to where it was, not where it is (in sdl12-compat
// always). In fullscreen the system pointer is therefore shown, as a blank
// cursor: positions stay true and the themed pointer is still the only one seen.
void showSystemPointer(bool blank) {
    static SDL_Cursor* blankCursor = nullptr;
    if (blank && !blankCursor) {
        static Uint8 noBits[8] = {}; // 8x8, every pixel transparent
        blankCursor = SDL_CreateCursor(noBits, noBits, 8, 8, 0, 0);
    }
    if (blank && blankCursor)
        SDL_SetCursor(blankCursor);
    SDL_ShowCursor(blank && blankCursor ? SDL_ENABLE : SDL_DISABLE);
}

void setWindowIcon() {
    windowIcon = readPictureFile(WINDOW_ICON);
    if (windowIcon)
        SDL_WM_SetIcon(windowIcon, nullptr); // SDL masks it by its alpha
}

} // namespace

int startScale(int desktopW, int desktopH) {
    return scaleWithin(desktopW, desktopH, FIT_NUMERATOR, FIT_DENOMINATOR);
}

int fittingScale(int windowW, int windowH) {
    return scaleWithin(windowW, windowH, 1, 1);
}

bool openWindow() {
    // SDL 1.2 tells the desktop's size only before the first video mode.
    if (const SDL_VideoInfo* info = SDL_GetVideoInfo()) {
        desktopWidth = std::clamp(info->current_w, 0, MAX_WINDOW_SIDE);
        desktopHeight = std::clamp(info->current_h, 0, MAX_WINDOW_SIDE);
    }
    setWindowIcon();
    const int k = startScale(desktopWidth, desktopHeight);
    return openWindowSized(SCREEN_WIDTH * k, SCREEN_HEIGHT * k, 0);
}

bool openWindowSized(int width, int height, int bitsPerPixel) {
    windowSurface = setVideoMode(width, height, bitsPerPixel, modeFlags(false));
    if (!windowSurface)
        return false;
    windowDepth = windowSurface->format->BitsPerPixel;
    windowedWidth = windowSurface->w;
    windowedHeight = windowSurface->h;
    if (windowSurface->w != SCREEN_WIDTH || windowSurface->h != SCREEN_HEIGHT) {
        gameSurface = makeGameSurface(windowSurface->format);
        if (!gameSurface)
            return false;
    }
    screen = gameSurface ? gameSurface : windowSurface;
    layOut();
    return true;
}

bool showWindow(int width, int height, bool fullscreen) {
    if (fullscreen) {
        if (desktopWidth == 0 || desktopHeight == 0)
            return false; // no size to be fullscreen at without changing the mode
        width = desktopWidth;
        height = desktopHeight;
    }
    // SDL 1.2 takes a side of 0 for the current size.
    width = std::clamp(width, 1, MAX_WINDOW_SIDE);
    height = std::clamp(height, 1, MAX_WINDOW_SIDE);
    if (!windowSurface || !detachScreen())
        return false;
    const int oldW = windowSurface->w, oldH = windowSurface->h;
    if (fullscreen)
        showSystemPointer(true); // before the grab that comes with fullscreen
    SDL_Surface* shown = setVideoMode(width, height, windowDepth, modeFlags(fullscreen));
    const bool accepted = shown != nullptr;
    // A refused mode may have taken the old one down with it: set that again.
    if (!shown)
        shown = setVideoMode(oldW, oldH, windowDepth, modeFlags(windowFullscreen));
    windowSurface = shown;
    const bool nowFullscreen = accepted ? fullscreen : windowFullscreen;
    SDL_WM_GrabInput(SDL_GRAB_OFF); // sdl12-compat keeps fullscreen's grab in a window
    showSystemPointer(nowFullscreen);
    if (!windowSurface)
        return false; // no window at all; the next resize or toggle tries again
    if (accepted) {
        windowFullscreen = fullscreen;
        if (!fullscreen) {
            windowedWidth = windowSurface->w;
            windowedHeight = windowSurface->h;
        }
    }
    layOut();
    return accepted;
}

bool toggleFullscreen() {
    return showWindow(windowedWidth, windowedHeight, !windowFullscreen);
}

void mapPointerToGame() {
    if (!windowSurface || screen == windowSurface)
        return; // the game fills the window: window pixels are game pixels
    // Floor division: the pixel just left of the game maps to -1, not 0.
    const auto toGame = [](int32_t at, int start) {
        const int32_t offset = at - start;
        return (offset >= 0 ? offset : offset - gameScale + 1) / gameScale;
    };
    const int32_t x = toGame(mouseX, gameLeft), y = toGame(mouseY, gameTop);
    if (x < 0 || x >= SCREEN_WIDTH || y < 0 || y >= SCREEN_HEIGHT) {
        mouseX = mouseY = POINTER_OUTSIDE;
    } else {
        mouseX = x;
        mouseY = y;
    }
}

// frame_record: plays one fixed, scripted session through the real frame pass
// on SDL's dummy display and prints a digest of every frame and of the
// screenshot it saves. Two builds that print the same lines draw the same
// pixels, so a change to how frames are drawn can be checked whole, frame by
// frame, on every screen depth:
//
//   frame_record DEPTH [--baseline] [--sound] [--scale K] [DUMP_FOLDER]   (from the repository
//   root, for Media/)
//
// DEPTH is 8, 16, 24 or 32. --baseline runs the pixel loops' portable build
// where the processor would run a wider one, which must give the same lines.
// --sound plays the session with its sounds (SDL's disk driver into
// /dev/null), which must not change a line either. --scale K draws in a
// window K times the game's size, where the game's 640x480 screen is a
// surface of its own, which must give the same lines too. With DUMP_FOLDER
// every frame is also written there as frame-NNN.ppm, to find the pixels
// behind a digest that differs. Colours are digested, not raw values: the
// unused fourth byte of a 32-bit pixel is no colour.
#include "audio/sound.h"
#include "game/world.h"
#include "input/frame_clock.h"
#include "overlay/save_message.h"
#include "overlay/transition.h"
#include "shell/frame.h"
#include "ui/display.h"
#include "ui/pixel_access.h"
#include "ui/pixel_kernels.h"
#include "ui/theme.h"
#include "ui/window.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

// The overlay's clock reads the calendar time every frame; a fixed instant
// keeps the status bar's text the same from run to run.
extern "C" time_t time(time_t* out) noexcept {
    const time_t fixed = 1796458500; // Saturday December 5th 2026, 8:15:00 AM UTC
    if (out)
        *out = fixed;
    return fixed;
}

namespace {

// The save message's clock runs 16 ms a frame, as the paced loop does, so
// that the frames it shows on are the same in every run.
int frameNumber = 0;
Uint32 frameClock() {
    return Uint32(frameNumber * FRAME_MS);
}

enum class Act { Point, ButtonDown, ButtonUp, KeyDown, KeyUp, Serve };
struct Step {
    int frame;
    Act act;
    int a, b; // pointer x and y; button or key; number of balls to serve
};

// The session: the title with and without hover, a single-player match with
// extra balls and both keys, the overlay opened, a screenshot, resume, a
// reopening during the closing slide, the match again, and "back" to the title.
const std::vector<Step> SCRIPT = {
    {0, Act::Point, 600, 420},
    {20, Act::Point, 320, 195},
    {26, Act::ButtonDown, SDL_BUTTON_LEFT, 0},
    {28, Act::ButtonUp, SDL_BUTTON_LEFT, 0},
    {29, Act::Point, 320, 20},
    {40, Act::Serve, 40, 0},
    {60, Act::KeyDown, SDLK_w, 0},
    {80, Act::KeyUp, SDLK_w, 0},
    {90, Act::KeyDown, SDLK_s, 0},
    {100, Act::KeyUp, SDLK_s, 0},
    {150, Act::KeyDown, SDLK_ESCAPE, 0},
    {152, Act::KeyUp, SDLK_ESCAPE, 0},
    {195, Act::Point, 320, 215},
    {200, Act::ButtonDown, SDL_BUTTON_LEFT, 0},
    {202, Act::ButtonUp, SDL_BUTTON_LEFT, 0},
    {210, Act::Point, 320, 115},
    {215, Act::ButtonDown, SDL_BUTTON_LEFT, 0},
    {217, Act::ButtonUp, SDL_BUTTON_LEFT, 0},
    {235, Act::KeyDown, SDLK_ESCAPE, 0},
    {237, Act::KeyUp, SDLK_ESCAPE, 0},
    {275, Act::KeyDown, SDLK_ESCAPE, 0},
    {277, Act::KeyUp, SDLK_ESCAPE, 0},
    {330, Act::Point, 550, 450},
    {340, Act::ButtonDown, SDL_BUTTON_LEFT, 0},
    {342, Act::ButtonUp, SDL_BUTTON_LEFT, 0},
    {345, Act::Point, 600, 420},
};
constexpr int FRAMES = 420;

void push(Uint8 type, int code) {
    SDL_Event event{};
    event.type = type;
    if (type == SDL_KEYDOWN || type == SDL_KEYUP) {
        event.key.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = SDLKey(code);
    } else {
        event.button.type = type;
        event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.button.button = Uint8(code);
    }
    SDL_PushEvent(&event);
}

void play(const Step& step) {
    switch (step.act) {
    case Act::Point: // a game position, where the window shows it
        SDL_WarpMouse(Uint16(gameLeft + step.a * gameScale), Uint16(gameTop + step.b * gameScale));
        break;
    case Act::ButtonDown:
        push(SDL_MOUSEBUTTONDOWN, step.a);
        break;
    case Act::ButtonUp:
        push(SDL_MOUSEBUTTONUP, step.a);
        break;
    case Act::KeyDown:
        push(SDL_KEYDOWN, step.a);
        break;
    case Act::KeyUp:
        push(SDL_KEYUP, step.a);
        break;
    case Act::Serve:
        for (int i = 0; i < step.a; ++i)
            serveBall(ServeDirection::Free);
        break;
    }
}

uint64_t digest(const uint8_t* bytes, size_t size, uint64_t hash = 1469598103934665603ull) {
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ bytes[i]) * 1099511628211ull;
    return hash;
}

// The screen's colours, row by row, as R, G, B bytes; empty when the screen
// cannot be read.
std::vector<uint8_t> screenColours() {
    SurfaceLock lock(screen);
    if (!lock.ok())
        return {};
    std::vector<uint8_t> rgb(size_t(screen->w) * screen->h * 3);
    for (int y = 0; y < screen->h; ++y)
        for (int x = 0; x < screen->w; ++x) {
            uint8_t* out = &rgb[(size_t(y) * screen->w + x) * 3];
            SDL_GetRGB(readRawPixel(screen, x, y), screen->format, &out[0], &out[1], &out[2]);
        }
    return rgb;
}

void dumpFrame(const std::string& folder, int frame, const std::vector<uint8_t>& rgb) {
    char name[32];
    std::snprintf(name, sizeof name, "/frame-%03d.ppm", frame);
    if (FILE* file = std::fopen((folder + name).c_str(), "wb")) {
        std::fprintf(file, "P6\n%d %d\n255\n", screen->w, screen->h);
        std::fwrite(rgb.data(), 1, rgb.size(), file);
        std::fclose(file);
    }
}

uint64_t fileDigest(const char* path) {
    std::vector<uint8_t> bytes;
    if (FILE* file = std::fopen(path, "rb")) {
        for (int c; (c = std::fgetc(file)) != EOF;)
            bytes.push_back(uint8_t(c));
        std::fclose(file);
    }
    return bytes.empty() ? 0 : digest(bytes.data(), bytes.size());
}

} // namespace

int main(int argc, char** argv) {
    const int depth = argc > 1 ? std::atoi(argv[1]) : 0;
    if (depth != 8 && depth != 16 && depth != 24 && depth != 32) {
        std::fprintf(stderr, "usage: frame_record 8|16|24|32 [--baseline] [--sound] [--scale K] "
                             "[DUMP_FOLDER]\n");
        return 2;
    }
    std::string dumpFolder;
    bool withSound = false;
    int scale = 1;
    for (int i = 2; i < argc; ++i) {
        if (std::string(argv[i]) == "--baseline")
            usePixelKernelTarget(pixelKernelTargets().back());
        else if (std::string(argv[i]) == "--sound")
            withSound = true;
        else if (std::string(argv[i]) == "--scale" && i + 1 < argc)
            scale = std::max(1, std::atoi(argv[++i]));
        else
            dumpFolder = argv[i];
    }
    if (!dumpFolder.empty() && dumpFolder[0] != '/')
        dumpFolder = std::string(getcwd(nullptr, 0)) + "/" + dumpFolder;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", withSound ? "disk" : "dummy", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    setenv("SDL_DISKAUDIODELAY", "23", 1);
    setenv("TZ", "UTC", 1);
    if (SDL_Init(SDL_INIT_VIDEO | (withSound ? SDL_INIT_AUDIO : 0)) != 0 ||
        !(scale == 1 ? (screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, depth,
                                                  SDL_DOUBLEBUF)) != nullptr
                     : openWindowSized(SCREEN_WIDTH * scale, SCREEN_HEIGHT * scale, depth))) {
        std::fprintf(stderr, "frame_record: %s\n", SDL_GetError());
        return 1;
    }
    std::srand(1);
    loadGameWorld();
    loadTheme();
    if (withSound)
        startSound(AT_FDCWD);

    // The screenshot goes to a private working folder.
    char folder[] = "/tmp/frame-record-XXXXXX";
    if (!mkdtemp(folder) || chdir(folder) != 0)
        return 1;

    messageClock = frameClock;
    size_t next = 0;
    for (int frame = 0; frame < FRAMES; ++frame) {
        frameNumber = frame;
        for (; next < SCRIPT.size() && SCRIPT[next].frame == frame; ++next)
            play(SCRIPT[next]);
        runFrame();
        const std::vector<uint8_t> rgb = screenColours();
        std::printf("frame %03d %016llx\n", frame,
                    static_cast<unsigned long long>(digest(rgb.data(), rgb.size())));
        if (!dumpFolder.empty())
            dumpFrame(dumpFolder, frame, rgb);
    }
    // The overlay's grids at rest, as the last opening left them.
    std::printf("snapshotPixels %016llx\n",
                static_cast<unsigned long long>(digest(snapshotPixels, GRID_BYTES)));
    std::printf("backdropPixels %016llx\n",
                static_cast<unsigned long long>(digest(backdropPixels, GRID_BYTES)));
    std::printf("screenshot1.bmp %016llx\n",
                static_cast<unsigned long long>(fileDigest("screenshot1.bmp")));
    unlink("screenshot1.bmp");
    rmdir(folder);
    SDL_Quit();
    return 0;
}

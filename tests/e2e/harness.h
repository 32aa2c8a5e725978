// The end-to-end harness: a private Xvfb server, the real rored binary in a
// temporary working folder, input through xdotool (XTEST), window grabs through
// Xlib, and a clean close through WM_DELETE_WINDOW as a window manager sends it.
#pragma once

#include "frame.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/types.h>
#include <vector>

typedef struct _XDisplay Display;

// The window's size and the places of the game's buttons, in window pixels.
constexpr int GAME_WIDTH = 640;
constexpr int GAME_HEIGHT = 480;
constexpr int FRAME_MS = 16;

// Called by the checks that wait for frames: sleeps this many milliseconds.
void sleepMs(int ms);

// Fixture for one scenario: SetUp starts Xvfb, TearDown ends whatever this
// fixture started (the game, then the server), also after a failure.
class GameSession : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Called by a test to start the game; with media false the working folder
    // holds no Media folder at all. Fails the test if no 640x480 window shows.
    void launchGame(bool withMedia = true);

    // --- Input (XTEST, so events reach the window under the pointer) ----------
    void movePointer(int x, int y); // window coordinates; remembered for pointerBox
    void click(int x, int y);       // move, let the game see it, press and release
    void tapKey(const std::string& key);
    void holdKey(const std::string& key);
    void releaseKey(const std::string& key);

    // --- Screen -----------------------------------------------------------
    Frame grab();                                           // the window's pixels now
    void keep(const Frame& frame, const std::string& name); // into e2e-screenshots/
    Box pointer() const { return pointerBox(pointerX, pointerY); }

    // Grabs until ready(frame) holds or timeoutMs passes; returns the last grab.
    template <typename Ready> Frame grabUntil(Ready ready, int timeoutMs = 5000) {
        const long long end = nowMs() + timeoutMs;
        Frame frame = grab();
        while (!ready(frame) && nowMs() < end) {
            sleepMs(3 * FRAME_MS);
            frame = grab();
        }
        return frame;
    }

    // --- Ending -------------------------------------------------------------
    void requestClose(); // WM_DELETE_WINDOW, as a window manager's close button
    // Waits for the game to end; true with its status when it did within timeoutMs.
    bool waitForExit(int timeoutMs, int& status);
    bool gameRunning();
    std::string gameLog() const; // what the game printed, for failure messages

    static long long nowMs();

    std::string workFolder; // the game's working folder (screenshots land here)
    unsigned long window = 0;
    Display* display = nullptr;
    int pointerX = 0, pointerY = 0;

  private:
    void startServer();
    void runXdotool(const std::vector<std::string>& args, std::string* output = nullptr);

    int displayNumber = -1;
    pid_t serverPid = -1;
    pid_t gamePid = -1;
    int endedStatus = -1; // wait status of a game reaped while polling
};

// A private X screen of a chosen size for the screen-size scenarios: an Xvfb
// server of its own with a window manager as small as the scenarios need. It
// maps and focuses windows, grants their configure requests and honours
// _NET_WM_STATE_FULLSCREEN (SDL 2 under sdl12-compat asks for fullscreen that
// way and, without a manager, sizes its window but leaves it where it was).
#pragma once

#include <string>
#include <sys/types.h>

class ScreenServer {
  public:
    // Starts Xvfb at width x height x 24 and the window manager on it, and
    // points DISPLAY at it; ok() tells whether both came up within 20 s.
    ScreenServer(int width, int height);
    ~ScreenServer(); // ends both and gives DISPLAY back
    ScreenServer(const ScreenServer&) = delete;
    ScreenServer& operator=(const ScreenServer&) = delete;

    bool ok() const { return managerPid > 0; }

  private:
    pid_t serverPid = -1, managerPid = -1;
    std::string oldDisplay;
};

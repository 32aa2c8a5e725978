// The audio driver the game asks SDL for on a machine as it finds it.
#include "audio/device.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A listening-socket file at `path`, as a sound server leaves it.
void makeSocket(const std::string& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);
}

} // namespace

// The sound server's socket first, then an ALSA playback device (a capture
// device is none), else the silent driver; a user's own choice always wins.
TEST(AudioDriver, ServerSocketThenPlaybackDeviceElseSilence_theUsersChoiceWins) {
    TempFolder folder;
    const std::string runtime = folder.path() + "/run", devices = folder.path() + "/snd";
    folder.writeFile("run/pulse/other", "");
    folder.writeFile("snd/pcmC0D0c", "");
    folder.writeFile("snd/controlC0", "");
    EXPECT_STREQ(pickAudioDriver(runtime.c_str(), devices.c_str()), "dummy");
    EXPECT_STREQ(pickAudioDriver(nullptr, "/nonexistent"), "dummy");
    folder.writeFile("run/pulse/native", ""); // a plain file is no server
    EXPECT_STREQ(pickAudioDriver(runtime.c_str(), devices.c_str()), "dummy");
    folder.writeFile("snd/pcmC1D3p", "");
    EXPECT_STREQ(pickAudioDriver(runtime.c_str(), devices.c_str()), "alsa");
    unlink("run/pulse/native");
    makeSocket(runtime + "/pulse/native");
    EXPECT_STREQ(pickAudioDriver(runtime.c_str(), devices.c_str()), "pulse");

    setenv("SDL_AUDIODRIVER", "disk", 1);
    chooseAudioDriver();
    EXPECT_STREQ(std::getenv("SDL_AUDIODRIVER"), "disk");
}

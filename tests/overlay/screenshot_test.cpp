// Screenshots: the first free number, never touching what already exists,
// and nothing left behind when a write fails.
#include "overlay/screenshot.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

static std::string contents(const char* name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A 640x480 picture to save, in a temporary working folder.
class ScreenshotTest : public ::testing::Test {
  protected:
    void TearDown() override { SDL_FreeSurface(picture); }
    long fileCount() const {
        const auto names = std::filesystem::directory_iterator(folder.path());
        return std::distance(begin(names), end(names));
    }
    SDL_Surface* picture =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, 32, 0x00ff0000, 0x0000ff00, 0x000000ff, 0);
    TempFolder folder;
};

// Tests run as root, who may read any file; what counts is that the taken
// name is passed over and its bytes stay as they were.
TEST_F(ScreenshotTest, TakesTheFirstFreeNumbersAndLeavesExistingFilesUntouched) {
    folder.writeFile("screenshot1.bmp", "one");
    folder.writeFile("screenshot3.bmp", "three");
    chmod("screenshot1.bmp", 0);
    EXPECT_TRUE(writeScreenshot(picture));
    EXPECT_GT(contents("screenshot2.bmp").size(), 640u * 480u * 3u);
    EXPECT_TRUE(writeScreenshot(picture));
    EXPECT_EQ(contents("screenshot4.bmp"), contents("screenshot2.bmp"));
    EXPECT_EQ(contents("screenshot1.bmp"), "one");
    EXPECT_EQ(contents("screenshot3.bmp"), "three");
    EXPECT_EQ(fileCount(), 4); // no temporary left over
}

// Root ignores folder permissions, so an unwritable folder is imitated by
// removing the working folder; a full disk by a 10000-byte file size limit in
// a child process, which the 921,654-byte BMP cannot fit.
TEST_F(ScreenshotTest, FailedWritesLeaveNoScreenshotAndNoTemporaryBehind) {
    ASSERT_EQ(mkdir("gone", 0755), 0);
    ASSERT_EQ(chdir("gone"), 0);
    ASSERT_EQ(rmdir((folder.path() + "/gone").c_str()), 0);
    EXPECT_FALSE(writeScreenshot(picture));
    ASSERT_EQ(chdir(folder.path().c_str()), 0);

    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{10000, 10000};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(writeScreenshot(picture) ? 1 : 0);
    }
    int status = 0;
    ASSERT_TRUE(child > 0 && waitpid(child, &status, 0) == child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write reported success";
    EXPECT_EQ(fileCount(), 0);
}

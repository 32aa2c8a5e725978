// Screenshots: the first free number, never touching what already exists,
// nothing left behind when a write fails, and the frozen frame as written.
#include "overlay/screenshot.h"

#include "input/input.h"
#include "overlay/driver.h"
#include "support/headless_display.h"
#include "support/temp_folder.h"
#include "ui/display.h"
#include "ui/theme.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A 640x480 picture to save, freed at the end of its test.
class Picture {
  public:
    Picture()
        : surface_(SDL_CreateRGBSurface(SDL_SWSURFACE, SCREEN_WIDTH, SCREEN_HEIGHT, 32, 0x00ff0000,
                                        0x0000ff00, 0x000000ff, 0)) {
        SDL_FillRect(surface_, nullptr, SDL_MapRGB(surface_->format, 10, 20, 30));
    }
    ~Picture() { SDL_FreeSurface(surface_); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    SDL_Surface* get() const { return surface_; }

  private:
    SDL_Surface* surface_;
};

std::string contents(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> namesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

bool exists(const char* name) {
    struct stat info;
    return lstat(name, &info) == 0;
}

} // namespace

TEST(Screenshot, TakesTheFirstFreeNumberAndFillsGaps) {
    TempFolder folder;
    folder.writeFile("screenshot1.bmp", "one");
    folder.writeFile("screenshot3.bmp", "three");
    Picture picture;
    EXPECT_TRUE(writeScreenshot(picture.get()));
    EXPECT_TRUE(exists("screenshot2.bmp"));
    EXPECT_FALSE(exists("screenshot4.bmp"));
    EXPECT_TRUE(writeScreenshot(picture.get()));
    EXPECT_TRUE(exists("screenshot4.bmp"));
    EXPECT_EQ(contents("screenshot1.bmp"), "one");
    EXPECT_EQ(contents("screenshot3.bmp"), "three");
    EXPECT_EQ(namesIn(folder.path()),
              (std::set<std::string>{"screenshot1.bmp", "screenshot2.bmp", "screenshot3.bmp",
                                     "screenshot4.bmp"}));
}

TEST(Screenshot, RepeatedSavesWriteTheSamePictureUnderSuccessiveNumbers) {
    TempFolder folder;
    Picture picture;
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(writeScreenshot(picture.get()));
    const std::string first = contents("screenshot1.bmp");
    EXPECT_GT(first.size(), 640u * 480u * 3u);
    EXPECT_EQ(contents("screenshot2.bmp"), first);
    EXPECT_EQ(contents("screenshot3.bmp"), first);
}

// Tests run as root, who may read any file; what counts is that an existing
// name is passed over and its bytes stay as they were.
TEST(Screenshot, ExistingUnreadableFileIsPassedOverUntouched) {
    TempFolder folder;
    folder.writeFile("screenshot1.bmp", "private");
    chmod("screenshot1.bmp", 0);
    EXPECT_TRUE(writeScreenshot(Picture().get()));
    EXPECT_TRUE(exists("screenshot2.bmp"));
    chmod("screenshot1.bmp", 0600);
    EXPECT_EQ(contents("screenshot1.bmp"), "private");
}

// Opening a dangling link for writing would create its target elsewhere.
TEST(Screenshot, DanglingLinkOrFolderUnderTheNameCountsAsTaken) {
    TempFolder folder;
    ASSERT_EQ(symlink("elsewhere.bmp", "screenshot1.bmp"), 0);
    ASSERT_EQ(mkdir("screenshot2.bmp", 0755), 0);
    EXPECT_TRUE(writeScreenshot(Picture().get()));
    EXPECT_TRUE(exists("screenshot3.bmp"));
    EXPECT_FALSE(exists("elsewhere.bmp"));
    EXPECT_TRUE(fs::is_symlink("screenshot1.bmp"));
}

// Root ignores folder permissions, so the folder is made unwritable by
// removing it while it is the working folder: creating anything in it fails.
TEST(Screenshot, FolderThatCannotTakeFilesGetsNothingAndReportsFailure) {
    TempFolder folder;
    const std::string gone = folder.path() + "/gone";
    ASSERT_EQ(mkdir(gone.c_str(), 0755), 0);
    ASSERT_EQ(chdir(gone.c_str()), 0);
    ASSERT_EQ(rmdir(gone.c_str()), 0);
    EXPECT_FALSE(writeScreenshot(Picture().get()));
    ASSERT_EQ(chdir(folder.path().c_str()), 0);
    EXPECT_TRUE(namesIn(folder.path()).empty());
}

// A full disk, imitated by a 10000-byte file size limit in a child process:
// the BMP (921,654 bytes) cannot be completed.
TEST(Screenshot, FullDiskLeavesNoScreenshotAndNoTemporaryBehind) {
    TempFolder folder;
    folder.writeFile("screenshot1.bmp", "one");
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{10000, 10000};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(writeScreenshot(Picture().get()) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write should have reported failure";
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"screenshot1.bmp"});
    EXPECT_EQ(contents("screenshot1.bmp"), "one");

    // With room again the next save works and takes the next number.
    EXPECT_TRUE(writeScreenshot(Picture().get()));
    EXPECT_TRUE(exists("screenshot2.bmp"));
}

TEST(Screenshot, NoPictureWritesNothing) {
    TempFolder folder;
    EXPECT_FALSE(writeScreenshot(nullptr));
    EXPECT_TRUE(namesIn(folder.path()).empty());
}

// The saved file is the frame on the screen when the overlay opened, not
// whatever is drawn later.
class ScreenshotFrame : public HeadlessDisplayTest {};

TEST_F(ScreenshotFrame, SavedFileIsTheFrameFrozenOnOpening) {
    loadTheme();
    SDL_FreeSurface(cursorImage);
    cursorImage = nullptr;
    for (int y = 0; y < SCREEN_HEIGHT; y += 8)
        for (int x = 0; x < SCREEN_WIDTH; x += 8) {
            SDL_Rect cell = {Sint16(x), Sint16(y), 8, 8};
            SDL_FillRect(
                screen, &cell,
                SDL_MapRGB(screen->format, uint8_t(x / 3), uint8_t(y / 2), uint8_t((x + y) / 5)));
        }
    keyStates[SDLK_ESCAPE] = KEY_PRESSED;
    stepOverlayTransition();
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 255, 255, 255));

    TempFolder folder;
    saveScreenshot();
    SDL_Surface* saved = SDL_LoadBMP("screenshot1.bmp");
    ASSERT_NE(saved, nullptr);
    ASSERT_EQ(saved->w, SCREEN_WIDTH);
    ASSERT_EQ(saved->h, SCREEN_HEIGHT);
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x)
            ASSERT_EQ(pixelAt(saved, x, y), (Rgb{uint8_t(x / 8 * 8 / 3), uint8_t(y / 8 * 8 / 2),
                                                 uint8_t((x / 8 * 8 + y / 8 * 8) / 5)}))
                << x << "," << y;
    SDL_FreeSurface(saved);
}

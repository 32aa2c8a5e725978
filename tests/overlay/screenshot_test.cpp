// Screenshots: the first free number, never touching what already exists,
// nothing left behind when a write fails, leftovers of dead games cleared,
// and folders without hard links or no-replace renames.
#include "overlay/screenshot.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <seccomp.h>
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
    // Saves in a child process after `restrict` has set limits that cannot be
    // lifted again; 0 when the save reported success, else the error it gave.
    int savedInChild(void (*restrict)()) {
        const pid_t child = fork();
        if (child == 0) {
            restrict();
            _exit(writeScreenshot(picture).error);
        }
        int status = 0;
        return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)
                   ? WEXITSTATUS(status)
                   : -1;
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
    EXPECT_EQ(writeScreenshot(picture).number, 2);
    EXPECT_GT(contents("screenshot2.bmp").size(), 640u * 480u * 3u);
    EXPECT_EQ(writeScreenshot(picture).number, 4);
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
    EXPECT_EQ(writeScreenshot(picture).error, ENOENT);
    ASSERT_EQ(chdir(folder.path().c_str()), 0);

    EXPECT_EQ(savedInChild([] {
                  signal(SIGXFSZ, SIG_IGN);
                  const rlimit limit{10000, 10000};
                  setrlimit(RLIMIT_FSIZE, &limit);
              }),
              EFBIG)
        << "the write reported success, or not why it failed";
    EXPECT_EQ(fileCount(), 0);
}

// A game killed while saving leaves its temporary behind; the next save
// clears it, and our own, but never one of a game still running (the test's
// parent) nor a name that only resembles ours.
TEST_F(ScreenshotTest, ClearsTemporariesOfGamesThatDiedButNotOfLivingOnes) {
    const pid_t dead = fork();
    if (dead == 0)
        _exit(0);
    ASSERT_EQ(waitpid(dead, nullptr, 0), dead);
    const auto temporary = [](long pid) {
        return ".screenshot-" + std::to_string(pid) + "-0.bmp.tmp";
    };
    const std::pair<std::string, bool> leftovers[] = {{temporary(dead), false},
                                                      {temporary(getpid()), false},
                                                      {temporary(getppid()), true},
                                                      {temporary(dead) + "~", true}};
    for (const auto& [name, stays] : leftovers)
        folder.writeFile(name, "partial");
    EXPECT_TRUE(writeScreenshot(picture));
    for (const auto& [name, stays] : leftovers)
        EXPECT_EQ(std::filesystem::exists(name), stays) << name;
    EXPECT_EQ(fileCount(), 3);
}

// Some network and FUSE mounts take neither hard links nor no-replace
// renames; a seccomp filter in a child refuses both as they do. The picture
// is then copied into a file created under the free name; when reading the
// temporary back fails, that file is removed again.
TEST_F(ScreenshotTest, WithoutLinksOrRenamesACopyTakesTheFreeNameAndAFailedCopyLeavesNothing) {
    folder.writeFile("screenshot1.bmp", "one");
    static bool readBackFails = false;
    const auto folderWithoutLinks = [] {
        scmp_filter_ctx filter = seccomp_init(SCMP_ACT_ALLOW);
        seccomp_rule_add(filter, SCMP_ACT_ERRNO(EPERM), SCMP_SYS(link), 0);
        seccomp_rule_add(filter, SCMP_ACT_ERRNO(EPERM), SCMP_SYS(linkat), 0);
        seccomp_rule_add(filter, SCMP_ACT_ERRNO(EINVAL), SCMP_SYS(renameat2), 0);
        if (readBackFails)
            seccomp_rule_add(filter, SCMP_ACT_ERRNO(EIO), SCMP_SYS(read), 0);
        if (seccomp_load(filter) != 0)
            _exit(2);
    };
    EXPECT_EQ(savedInChild(folderWithoutLinks), 0);
    EXPECT_TRUE(writeScreenshot(picture)); // through a link, for comparison
    EXPECT_TRUE(contents("screenshot2.bmp") == contents("screenshot3.bmp")); // 900 kB: no dump
    EXPECT_EQ(contents("screenshot1.bmp"), "one");
    readBackFails = true;
    EXPECT_EQ(savedInChild(folderWithoutLinks), EIO);
    EXPECT_EQ(fileCount(), 3); // no screenshot4.bmp, no temporary
}

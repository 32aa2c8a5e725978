// Which Media/ the pictures come from: the working folder's only when it holds
// the game's picture folders, else the one installed beside the executable,
// whether that lives in games/ or bin/.
#include "ui/media_folder.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The inode of `path` under `parent`, to tell which folder was chosen.
ino_t inode(int parent, const char* path) {
    struct stat info {};
    return fstatat(parent, path, &info, 0) == 0 ? info.st_ino : 0;
}

} // namespace

TEST(MediaFolder, WorkingFolderFirstOnlyWhenItHoldsGameAndPlinth) {
    TempFolder folder;
    folder.writeFile("prefix/share/games/rored/Media/Game/ball.png", "");
    folder.writeFile("prefix/share/games/rored/Media/Plinth/Font.png", "");
    folder.writeFile("prefix/games/rored", ""); // the executable, as installed for Debian
    folder.writeFile("prefix/bin/rored", "");   // and for one user
    const ino_t installed = inode(AT_FDCWD, "prefix/share/games/rored");
    const std::pair<std::vector<const char*>, bool> cases[] = {
        {{"Media/Photos/a.jpg"}, false},            // a Media/ of the user's own
        {{"Media/Game/x"}, false},                  // half the game's
        {{"Media/Game/x", "Media/Plinth"}, false},  // a file where a folder should be
        {{"Media/Game/x", "Media/Plinth/x"}, true}, // the game's own, as in a clone
    };
    for (const auto& [files, working] : cases) {
        std::filesystem::remove_all("Media");
        for (const char* file : files)
            folder.writeFile(file, "");
        const std::string holds = files.back();
        for (const char* home : {"prefix/games/rored", "prefix/bin/rored"}) {
            const int chosen = chooseMediaParent(folder.path() + "/" + home);
            EXPECT_EQ(chosen == AT_FDCWD, working) << holds << " " << home;
            if (!working) {
                EXPECT_EQ(inode(chosen, "."), installed) << holds << " " << home;
            }
            if (chosen != AT_FDCWD)
                close(chosen);
        }
    }
    // Nothing installed beside the executable: the working folder, where nothing loads.
    std::filesystem::remove_all("Media");
    EXPECT_EQ(chooseMediaParent(folder.path() + "/elsewhere/rored"), AT_FDCWD);
}

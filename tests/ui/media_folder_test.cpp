// Which Media/ the pictures come from: the working folder's only when it holds
// the game's picture folders, else the one installed beside the executable,
// whether that lives in games/ or bin/.
#include "ui/media_folder.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The inode of the folder `fd` names, to tell which folder was chosen.
static ino_t inode(int fd) {
    struct stat info {};
    return fstat(fd, &info) == 0 ? info.st_ino : 0;
}

TEST(MediaFolder, WorkingFolderFirstOnlyWhenItHoldsGameAndPlinth) {
    TempFolder folder;
    for (const char* file :
         {"prefix/share/games/rored/Media/Game/x", "prefix/share/games/rored/Media/Plinth/x",
          "prefix/games/rored", "prefix/bin/rored", "elsewhere/rored"})
        folder.writeFile(file, "");
    const int installed = open("prefix/share/games/rored", O_RDONLY);
    const auto expectChosen = [&](bool working, const char* what) {
        for (const char* home : {"prefix/games/rored", "prefix/bin/rored"}) {
            const int chosen = chooseMediaParent(folder.path() + "/" + home);
            EXPECT_EQ(chosen == AT_FDCWD ? 0 : inode(chosen), working ? 0 : inode(installed))
                << what << ", " << home;
            if (chosen != AT_FDCWD)
                close(chosen);
        }
    };
    expectChosen(false, "no Media/");
    folder.writeFile("Media/Photos/a.jpg", "");
    expectChosen(false, "a Media/ of the user's own");
    folder.writeFile("Media/Game/x", "");
    expectChosen(false, "half the game's");
    folder.writeFile("Media/Plinth", "");
    expectChosen(false, "a file in place of a folder");
    std::filesystem::remove("Media/Plinth");
    folder.writeFile("Media/Plinth/x", "");
    expectChosen(true, "the game's own, as in a clone");
    // Nothing installed beside the executable: the working folder, where nothing loads.
    std::filesystem::remove_all("Media");
    EXPECT_EQ(chooseMediaParent(folder.path() + "/elsewhere/rored"), AT_FDCWD);
}

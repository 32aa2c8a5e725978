// Chooses the folder the pictures' "Media/..." paths are read from. Screenshots
// do not depend on it: they always go to the working folder.
#include "ui/media_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int mediaParent = AT_FDCWD;

namespace {

bool holdsFolder(int parent, const char* path) {
    struct stat info;
    return fstatat(parent, path, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

// Both picture folders: a Media/ of photos or music is not the game's.
bool holdsGameMedia(int parent) {
    return holdsFolder(parent, "Media/Game") && holdsFolder(parent, "Media/Plinth");
}

} // namespace

int chooseMediaParent(const std::filesystem::path& executable) {
    if (holdsGameMedia(AT_FDCWD))
        return AT_FDCWD;
    const std::filesystem::path data = executable.parent_path() / INSTALLED_DATA_FOLDER;
    const int folder = open(data.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return AT_FDCWD;
    if (holdsGameMedia(folder))
        return folder; // kept open for the whole run
    close(folder);
    return AT_FDCWD;
}

void findMediaFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    mediaParent = chooseMediaParent(error ? std::filesystem::path() : executable);
}

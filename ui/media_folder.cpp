// Chooses the folder the pictures' "Media/..." paths are read from. Screenshots
// do not depend on it: they always go to the working folder.
#include "ui/media_folder.h"

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

int mediaParent = AT_FDCWD;

namespace {

bool holdsMedia(int folder) {
    struct stat info;
    return fstatat(folder, "Media", &info, 0) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

void findMediaFolder() {
    if (holdsMedia(AT_FDCWD))
        return;
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return;
    const std::filesystem::path data = executable.parent_path() / INSTALLED_DATA_FOLDER;
    const int folder = open(data.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    if (holdsMedia(folder))
        mediaParent = folder; // kept open for the whole run
    else
        close(folder);
}

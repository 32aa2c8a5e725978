// Fills closed standard descriptors with /dev/null before anything else
// opens a file.
#include "shell/standard_streams.h"

#include <cerrno>
#include <fcntl.h>

void openMissingStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd)
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF)
            open("/dev/null", O_RDWR); // the lowest free number: fd, as those below are open
}

// Tells the player where a screenshot went, or why it is not there: a save
// that fails silently leaves the player believing the file exists.
#include "overlay/save_message.h"

#include "overlay/status_bars.h"

#include <cerrno>
#include <cstdio>

char saveMessage[64];
Uint32 saveMessageShownAt = 0;
Uint32 (*messageClock)() = SDL_GetTicks;

namespace {

// The reasons a player can act on, in the bar's few words.
const char* reason(int error) {
    switch (error) {
    case EROFS:
        return "folder is read-only";
    case ENOSPC:
    case EDQUOT:
        return "disk is full";
    case EFBIG:
        return "file too large";
    case EACCES:
    case EPERM:
        return "no permission";
    case ENOENT:
    case ENOTDIR:
        return "folder is gone";
    case EEXIST:
        return "no free file name";
    default:
        return "cannot write the file";
    }
}

} // namespace

void formatSaveMessage(const ScreenshotResult& result, char* out, size_t size) {
    if (result.saved())
        std::snprintf(out, size, "Saved screenshot%d.bmp", result.number);
    else
        std::snprintf(out, size, "Screenshot not saved: %s", reason(result.error));
}

void showSaveMessage(const ScreenshotResult& result) {
    formatSaveMessage(result, saveMessage, sizeof saveMessage);
    saveMessageShownAt = messageClock();
}

const char* bottomBarText() {
    // Unsigned difference: right across the wrap of the millisecond counter.
    const bool fresh = saveMessage[0] && messageClock() - saveMessageShownAt < SAVE_MESSAGE_MS;
    return fresh ? saveMessage : creditLine;
}

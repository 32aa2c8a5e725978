// The bottom bar after "Save BMP screenshot": the saved file's name or why
// nothing was saved, for three seconds, then the credit line again.
#include "overlay/save_message.h"

#include "overlay/state.h"
#include "overlay/status_bars.h"
#include "support/test_sheets.h"
#include "ui/display.h"
#include "ui/theme.h"

#include <cerrno>
#include <string>

namespace {

Uint32 now = 0;

// The text on the bottom bar, read back from the left column of each cell:
// every glyph of the test font has a colour of its own, and a later cell lies
// over the four columns an earlier one shares with it.
std::string textOnBottomBar(size_t length) {
    std::string text;
    for (size_t i = 0; i < length; ++i)
        for (char c = ' '; c <= '~'; ++c)
            if (pixelAt(screen, 20 + 11 * int(i), 450) == sheetCellColour(c - ' '))
                text += c;
    return text;
}

} // namespace

TEST_F(SheetScreenTest, SaveMessage_namesTheFileOrTheReasonForThreeSecondsThenTheCredit) {
    messageClock = [] { return now; };
    overlayAmount = OVERLAY_FULL;
    const std::pair<ScreenshotResult, std::string> outcomes[] = {
        {{3, 0}, "Saved screenshot3.bmp"},
        {{0, EROFS}, "Screenshot not saved: folder is read-only"},
        {{0, ENOSPC}, "Screenshot not saved: disk is full"},
        {{0, EACCES}, "Screenshot not saved: no permission"},
        {{0, EIO}, "Screenshot not saved: cannot write the file"}};
    for (const auto& [result, text] : outcomes) {
        now = 0xffffff00u; // the millisecond counter wraps while the message shows
        showSaveMessage(result);
        for (Uint32 elapsed : {0u, SAVE_MESSAGE_MS - 1, SAVE_MESSAGE_MS}) {
            now = 0xffffff00u + elapsed;
            drawStatusBars();
            const std::string shown = elapsed < SAVE_MESSAGE_MS ? text : creditLine;
            EXPECT_EQ(textOnBottomBar(shown.size()), shown) << elapsed << " ms after " << text;
        }
    }
}

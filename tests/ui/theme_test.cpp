// The picture loaders and the theme: bad files give empty handles (FIFOs
// and devices among them), colour keys make cyan
// transparent, the work surfaces exist whatever the pictures hold.
#include "ui/image_loaders.h"
#include "ui/theme.h"

#include "support/temp_folder.h"
#include "support/test_sheets.h"
#include "ui/display.h"

#include <csignal>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const Rgb CYAN{0, 255, 255}, RED{200, 30, 40}, GREEN{20, 160, 60};

class ThemeTest : public HeadlessDisplayTest {};

// Loads a 20 x 10 picture whose left half is cyan with `loader` and blits it
// onto a green screen.
void blitHalfCyanPicture(SDL_Surface* (*loader)(const char*)) {
    SDL_Surface* picture = makeSolidSurface(20, 10, RED);
    SDL_Rect left{0, 0, 10, 10};
    SDL_FillRect(picture, &left, SDL_MapRGB(picture->format, CYAN.r, CYAN.g, CYAN.b));
    ASSERT_EQ(SDL_SaveBMP(picture, "half.bmp"), 0);
    SDL_FreeSurface(picture);
    fillSurface(screen, GREEN);
    SDL_Surface* loaded = loader("half.bmp");
    ASSERT_NE(loaded, nullptr);
    SDL_BlitSurface(loaded, nullptr, screen, nullptr);
    SDL_FreeSurface(loaded);
    EXPECT_EQ(pixelAt(screen, 15, 5), RED);
}

} // namespace

TEST_F(ThemeTest, MissingEmptyTruncatedAndForeignFilesGiveEmptyHandles) {
    std::ifstream in(sourceDir() + "/Media/Game/ball.png", std::ios::binary);
    const std::string png(std::istreambuf_iterator<char>(in), {});
    ASSERT_GT(png.size(), 100u);
    TempFolder folder;
    folder.writeFile("empty.png", "");
    folder.writeFile("truncated.png", png.substr(0, png.size() / 2));
    folder.writeFile("signature-only.png", png.substr(0, 8));
    folder.writeFile("text.png", "this is not a picture\n");
    ASSERT_EQ(mkfifo("fifo.png", 0644), 0);
    ASSERT_EQ(symlink("/dev/zero", "zero.png"), 0);
    // Opening the FIFO for reading waits for a writer: fail instead of hanging.
    signal(SIGALRM, [](int) { _exit(3); });
    alarm(20);
    for (const char* path : {"missing.png", "empty.png", "truncated.png", "signature-only.png",
                             "text.png", ".", "fifo.png", "zero.png"}) {
        EXPECT_EQ(loadAlphaImage(path), nullptr) << path;
        EXPECT_EQ(loadColorKeyedImage(path), nullptr) << path;
    }
}

TEST_F(ThemeTest, CyanIsTransparentOnlyInColourKeyedPictures) {
    TempFolder folder;
    blitHalfCyanPicture(loadColorKeyedImage);
    EXPECT_EQ(pixelAt(screen, 2, 2), GREEN);
    blitHalfCyanPicture(loadAlphaImage);
    EXPECT_EQ(pixelAt(screen, 2, 2), CYAN);
}

// The overlay works on these surfaces even where nothing could be drawn.
TEST_F(ThemeTest, WithoutPicturesTheThemeStillHasWorkSurfaces) {
    TempFolder folder; // no Media here
    loadTheme();
    EXPECT_EQ(fontImage, nullptr);
    ASSERT_NE(snapshotSurface, nullptr);
    ASSERT_NE(backdropSurface, nullptr);
    EXPECT_NE(snapshotSurface, backdropSurface);
    EXPECT_EQ(backdropSurface->w * backdropSurface->h, 640 * 480);
    EXPECT_EQ(snapshotSurface->format->BitsPerPixel, screen->format->BitsPerPixel);
}

TEST_F(ThemeTest, CommittedSheetsLoadAndTheBarsAreColourKeyed) {
    loadTheme();
    for (SDL_Surface* sheet : {fontImage, buttonImage, topBottomBorderImage, cursorImage})
        ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(topBottomBorderImage->flags & SDL_SRCCOLORKEY);
}

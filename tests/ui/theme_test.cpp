// The picture loaders and the theme: bad files give empty handles, colour
// keys make cyan transparent, tables are filled whatever the pictures hold.
#include "ui/image_loaders.h"
#include "ui/theme.h"

#include "support/temp_folder.h"
#include "support/test_sheets.h"
#include "ui/display.h"

#include <fstream>
#include <iterator>

namespace {

const Rgb CYAN{0, 255, 255};
const Rgb RED{200, 30, 40};
const Rgb GREEN{20, 160, 60};

// Writes a 20 x 10 BMP whose left half is cyan and right half red.
void writeHalfCyanPicture(const char* path) {
    SDL_Surface* picture = makeSolidSurface(20, 10, RED);
    SDL_Rect left{0, 0, 10, 10};
    SDL_FillRect(picture, &left, SDL_MapRGB(picture->format, CYAN.r, CYAN.g, CYAN.b));
    ASSERT_EQ(SDL_SaveBMP(picture, path), 0);
    SDL_FreeSurface(picture);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ThemeTest : public HeadlessDisplayTest {};

} // namespace

TEST_F(ThemeTest, MissingEmptyTruncatedAndForeignFilesGiveEmptyHandles) {
    TempFolder folder;
    const std::string png = readFile(sourceDir() + "/Media/Game/ball.png");
    ASSERT_GT(png.size(), 100u);
    folder.writeFile("empty.png", "");
    folder.writeFile("truncated.png", png.substr(0, png.size() / 2));
    folder.writeFile("header-only.png", png.substr(0, 8));
    folder.writeFile("text.png", "this is not a picture\n");
    for (const char* path :
         {"missing.png", "empty.png", "truncated.png", "header-only.png", "text.png", "."}) {
        EXPECT_EQ(loadAlphaImage(path), nullptr) << path;
        EXPECT_EQ(loadColorKeyedImage(path), nullptr) << path;
    }
}

TEST_F(ThemeTest, ColourKeyedPictureLetsTheScreenShowThroughItsCyan) {
    TempFolder folder;
    writeHalfCyanPicture("half.bmp");
    fillSurface(screen, GREEN);
    SDL_Surface* keyed = loadColorKeyedImage("half.bmp");
    ASSERT_NE(keyed, nullptr);
    EXPECT_EQ(keyed->format->BitsPerPixel, screen->format->BitsPerPixel);
    SDL_BlitSurface(keyed, nullptr, screen, nullptr);
    EXPECT_EQ(pixelAt(screen, 2, 2), GREEN);
    EXPECT_EQ(pixelAt(screen, 15, 5), RED);
    SDL_FreeSurface(keyed);
}

TEST_F(ThemeTest, AlphaPictureDrawsCyanAsCyan) {
    TempFolder folder;
    writeHalfCyanPicture("half.bmp");
    fillSurface(screen, GREEN);
    SDL_Surface* plain = loadAlphaImage("half.bmp");
    ASSERT_NE(plain, nullptr);
    SDL_BlitSurface(plain, nullptr, screen, nullptr);
    EXPECT_EQ(pixelAt(screen, 2, 2), CYAN);
    EXPECT_EQ(pixelAt(screen, 15, 5), RED);
    SDL_FreeSurface(plain);
}

TEST_F(ThemeTest, ThemeLoadsTheCommittedSheetsAndCutsTheirCells) {
    loadTheme();
    ASSERT_NE(fontImage, nullptr);
    ASSERT_NE(buttonImage, nullptr);
    ASSERT_NE(topBottomBorderImage, nullptr);
    ASSERT_NE(cursorImage, nullptr);
    EXPECT_TRUE(topBottomBorderImage->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(glyphRects[33].x, 495); // 'A'
    EXPECT_EQ(glyphRects[94].x, 1410);
    EXPECT_EQ(glyphRects[94].w, 15);
    EXPECT_EQ(glyphRects[94].h, 21);
    EXPECT_EQ(buttonCells[1][8].x, 168);
    EXPECT_EQ(buttonCells[1][8].y, 21);
    EXPECT_EQ(cursorFrames[3].x, 288);
    EXPECT_EQ(cursorFrames[15].w, 96);
}

TEST_F(ThemeTest, WithoutPicturesTheThemeStillHasTablesAndWorkSurfaces) {
    TempFolder folder; // no Media here
    loadTheme();
    EXPECT_EQ(fontImage, nullptr);
    EXPECT_EQ(buttonImage, nullptr);
    EXPECT_EQ(topBottomBorderImage, nullptr);
    EXPECT_EQ(cursorImage, nullptr);
    EXPECT_EQ(glyphRects[1].x, 15);
    EXPECT_EQ(cursorFrames[3].x, 288);
    ASSERT_NE(snapshotSurface, nullptr);
    ASSERT_NE(backdropSurface, nullptr);
    EXPECT_NE(snapshotSurface, backdropSurface);
    EXPECT_EQ(snapshotSurface->w, 640);
    EXPECT_EQ(backdropSurface->h, 480);
    EXPECT_EQ(snapshotSurface->format->BitsPerPixel, screen->format->BitsPerPixel);
}

// The picture loaders and the theme: bad files give empty handles (FIFOs,
// devices and pictures too large to use among them), colour keys make cyan
// transparent, tables are filled whatever the pictures hold.
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
#include <zlib.h>

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

// A grey PNG declaring w x h pixels, all rows alike; valid unless it stores
// fewer rows than it declares.
std::string greyPng(uint32_t w, uint32_t h, uint32_t storedRows) {
    const auto bigEndian = [](uint32_t v) {
        return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    };
    const auto chunk = [&](const std::string& typeAndData) {
        const auto* bytes = reinterpret_cast<const Bytef*>(typeAndData.data());
        return bigEndian(uint32_t(typeAndData.size() - 4)) + typeAndData +
               bigEndian(uint32_t(crc32(0, bytes, uInt(typeAndData.size()))));
    };
    std::string rows;
    for (uint32_t y = 0; y < storedRows; ++y)
        rows += '\0' + std::string(w, '\x80'); // filter 0, then the samples
    uLongf size = compressBound(rows.size());
    std::string packed(size, '\0');
    compress(reinterpret_cast<Bytef*>(packed.data()), &size,
             reinterpret_cast<const Bytef*>(rows.data()), rows.size());
    packed.resize(size);
    return "\x89PNG\r\n\x1a\n" +
           chunk("IHDR" + bigEndian(w) + bigEndian(h) + "\x08" + std::string(4, '\0')) +
           chunk("IDAT" + packed) + chunk("IEND");
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

// The limits refuse a size before decoding, in one line on standard error;
// sizes up to them load. A picture of 16383 x 16383 would take gigabytes.
TEST_F(ThemeTest, PicturesLargerThanTheGameCanUseAreRefusedWithOneLine) {
    TempFolder folder;
    const std::tuple<uint32_t, uint32_t, bool> sizes[] = {
        {4096, 1, true},   {4097, 1, false},   {1, 4097, false},
        {1280, 960, true}, {1281, 960, false}, {16383, 16383, false}};
    for (const auto& [w, h, loads] : sizes) {
        folder.writeFile("p.png", greyPng(w, h, h > 4096 ? 1 : h)); // the last as a 64 kB file
        testing::internal::CaptureStderr();
        SDL_Surface* loaded = loadAlphaImage("p.png");
        const std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_EQ(loaded != nullptr, loads) << w << "x" << h;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), loads ? 0 : 1) << errors;
        SDL_FreeSurface(loaded);
    }
}

TEST_F(ThemeTest, CyanIsTransparentOnlyInColourKeyedPictures) {
    TempFolder folder;
    blitHalfCyanPicture(loadColorKeyedImage);
    EXPECT_EQ(pixelAt(screen, 2, 2), GREEN);
    blitHalfCyanPicture(loadAlphaImage);
    EXPECT_EQ(pixelAt(screen, 2, 2), CYAN);
}

TEST_F(ThemeTest, WithoutPicturesTheThemeStillHasTablesAndWorkSurfaces) {
    TempFolder folder; // no Media here
    loadTheme();
    EXPECT_EQ(fontImage, nullptr);
    EXPECT_EQ(topBottomBorderImage, nullptr);
    EXPECT_EQ(glyphRects[94].x, 1410);
    EXPECT_EQ(buttonCells[1][8].x, 168);
    EXPECT_EQ(buttonCells[1][8].y, 21);
    EXPECT_EQ(cursorFrames[3].x, 288);
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

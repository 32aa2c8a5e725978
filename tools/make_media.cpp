// make_media: writes every picture the game loads, into the Media folder
// given on the command line (Game/ and Plinth/ below it), and, when a second
// folder is given, the desktop icon in each size as <size>.png there. The
// output depends only on this code and the DejaVu font, so each run gives
// the same bytes.
#include <cstdio>
#include <filesystem>
#include <string>

#include "glyph_raster.h"
#include "media_pictures.h"

static const char* FONT_PATH = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";

static bool save(bool ok, const std::string& path, int& failures) {
    if (!ok) {
        std::fprintf(stderr, "make_media: could not write %s\n", path.c_str());
        ++failures;
    }
    return ok;
}

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: make_media <Media folder> [<icon folder>]\n");
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path root = argv[1];
    const std::string game = (root / "Game").string(), plinth = (root / "Plinth").string();
    std::error_code error;
    fs::create_directories(game, error);
    fs::create_directories(plinth, error);
    if (!openGlyphFace(FONT_PATH)) {
        std::fprintf(stderr, "make_media: cannot open %s\n", FONT_PATH);
        return 1;
    }

    int failures = 0;
    auto rgba = [&](const Canvas& c, const std::string& p) {
        save(saveRgbaPng(c, p), p, failures);
    };
    auto keyed = [&](const Canvas& c, const std::string& p) {
        save(saveKeyedRgbPng(c, p), p, failures);
    };
    // Interface theme.
    rgba(makeFontSheet(), plinth + "/Font.png");
    rgba(makeButtonSheet(), plinth + "/Button.png");
    keyed(makeStatusBars(), plinth + "/TopBottomBorder.png");
    rgba(makeCursorSheet(), plinth + "/Cursor.png");
    rgba(makeMuteMark(), plinth + "/Mute.png");
    // Game pictures; the background is loaded colour-keyed, so it never holds the key.
    keyed(makeBackground(), game + "/background.png");
    rgba(makeBorder(), game + "/border.png");
    rgba(makeBall(), game + "/ball.png");
    rgba(makePaddle(1), game + "/paddle1.png");
    rgba(makePaddle(2), game + "/paddle2.png");
    rgba(makeTextBacking(1), game + "/textbacking1.png");
    rgba(makeTextBacking(2), game + "/textbacking2.png");
    // The window's own icon, which the game loads before it opens the window.
    rgba(makeIcon(WINDOW_ICON_SIZE), game + "/icon.png");
    // The desktop icon, in every size the hicolor theme has a folder for.
    if (argc == 3) {
        fs::create_directories(argv[2], error);
        for (int size : ICON_SIZES)
            rgba(makeIcon(size), (fs::path(argv[2]) / (std::to_string(size) + ".png")).string());
    }

    closeGlyphFace();
    return failures == 0 ? 0 : 1;
}

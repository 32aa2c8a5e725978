// FreeType access for the picture generator. The face is loaded with light
// (vertical only) hinting so stems stay crisp without snapping the advance.
#include "glyph_raster.h"

#include <cmath>

#include <ft2build.h>
#include FT_FREETYPE_H

static FT_Library library = nullptr;
static FT_Face face = nullptr;

bool openGlyphFace(const std::string& fontPath) {
    if (FT_Init_FreeType(&library) != 0)
        return false;
    return FT_New_Face(library, fontPath.c_str(), 0, &face) == 0;
}

void closeGlyphFace() {
    if (face)
        FT_Done_Face(face);
    if (library)
        FT_Done_FreeType(library);
    face = nullptr;
    library = nullptr;
}

static void setSize(float pixelSize) {
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(pixelSize * 64.0f)), 72, 72);
}

float glyphAdvance(char c, float pixelSize) {
    setSize(pixelSize);
    FT_Set_Transform(face, nullptr, nullptr);
    if (FT_Load_Char(face, static_cast<unsigned char>(c), FT_LOAD_NO_HINTING) != 0)
        return 0.0f;
    return face->glyph->linearHoriAdvance / 65536.0f;
}

CoverageMask renderTextMask(const std::string& text, float pixelSize, float penX, int baseline,
                            int width, int height, float extraSpacing) {
    CoverageMask mask;
    mask.width = width;
    mask.height = height;
    mask.cover.assign(static_cast<size_t>(width) * height, 0.0f);
    setSize(pixelSize);
    float pen = penX;
    for (char c : text) {
        // The fractional part of the pen goes to FreeType as a shift, so the
        // outline is sampled where it really lies.
        float whole = std::floor(pen);
        FT_Vector shift = {static_cast<FT_Pos>(std::lround((pen - whole) * 64.0f)), 0};
        FT_Set_Transform(face, nullptr, &shift);
        if (FT_Load_Char(face, static_cast<unsigned char>(c),
                         FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0)
            continue;
        FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        int left = static_cast<int>(whole) + slot->bitmap_left;
        int top = baseline - slot->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            for (unsigned col = 0; col < bitmap.width; ++col) {
                int x = left + static_cast<int>(col), y = top + static_cast<int>(row);
                if (x < 0 || y < 0 || x >= width || y >= height)
                    continue;
                float ink = bitmap.buffer[row * bitmap.pitch + col] / 255.0f;
                float& cell = mask.cover[static_cast<size_t>(y) * width + x];
                cell = std::fmin(1.0f, cell + ink);
            }
        }
        pen += slot->linearHoriAdvance / 65536.0f + extraSpacing;
    }
    FT_Set_Transform(face, nullptr, nullptr);
    return mask;
}

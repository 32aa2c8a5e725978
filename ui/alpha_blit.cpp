// The blended blit. Before the first one on a screen, a probe picture with
// every alpha over a spread of colours is blitted once by SDL and once here;
// only if the two agree to the byte is this blit used on that screen (classic
// SDL 1.2 blends as below; SDL 1.2 over SDL2 rounds otherwise and keeps its
// own blit).
#include "ui/alpha_blit.h"

#include "ui/display.h"
#include "ui/pixel_kernels.h"

#include <cstdint>
#include <cstring>

namespace {

// Whether this blit draws `image` onto `target`: 32-bit pictures with alpha in the top byte,
// blended by their per-pixel alpha (SDL 1.2 then ignores a per-surface alpha), over a 32-bit screen
// with the same colour bytes. A picture given run-length encoding (the ball, mostly opaque) is left
// to SDL, whose encoded copy copies its opaque runs whole.
bool canBlendOnto(const SDL_Surface* image, const SDL_Surface* target) {
    const SDL_PixelFormat* f = image->format;
    const SDL_PixelFormat* t = target->format;
    return f->BytesPerPixel == 4 && f->Amask == 0xff000000u &&
           (image->flags & (SDL_SRCALPHA | SDL_SRCCOLORKEY | SDL_RLEACCEL | SDL_RLEACCELOK)) ==
               SDL_SRCALPHA &&
           image->pixels && t->BytesPerPixel == 4 && !t->palette && t->Rmask == f->Rmask &&
           t->Gmask == f->Gmask && t->Bmask == f->Bmask && t->Rloss == 0 && t->Gloss == 0 &&
           t->Bloss == 0 && !SDL_MUSTLOCK(image) && !SDL_MUSTLOCK(target);
}

// SDL_UpperBlit's clipping along one axis: the source span [from, from +
// size) against the picture's extent, then its place `to` against the clip
// span [clipFrom, clipFrom + clipSize).
void clipAxis(int& from, int& size, int& to, int extent, int clipFrom, int clipSize) {
    if (from < 0) {
        size += from;
        to -= from;
        from = 0;
    }
    if (extent - from < size)
        size = extent - from;
    if (clipFrom - to > 0) {
        size -= clipFrom - to;
        from += clipFrom - to;
        to = clipFrom;
    }
    if (to + size - clipFrom - clipSize > 0)
        size -= to + size - clipFrom - clipSize;
}

// The source rectangle against the picture, then the destination against the
// target's clip rectangle, as SDL_UpperBlit clips. False when nothing is left.
bool clip(const SDL_Surface* image, const SDL_Surface* target, const SDL_Rect* source, Sint16 x,
          Sint16 y, SDL_Rect& from, SDL_Rect& to) {
    int srcX = source ? source->x : 0, w = source ? source->w : image->w, dstX = x;
    int srcY = source ? source->y : 0, h = source ? source->h : image->h, dstY = y;
    const SDL_Rect& c = target->clip_rect;
    clipAxis(srcX, w, dstX, image->w, c.x, c.w);
    clipAxis(srcY, h, dstY, image->h, c.y, c.h);
    if (w <= 0 || h <= 0)
        return false;
    from = {Sint16(srcX), Sint16(srcY), Uint16(w), Uint16(h)};
    to = {Sint16(dstX), Sint16(dstY), Uint16(w), Uint16(h)};
    return true;
}

void blendInto(SDL_Surface* image, SDL_Surface* target, const SDL_Rect& from, const SDL_Rect& to) {
    for (int row = 0; row < from.h; ++row) {
        const auto* s =
            reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(image->pixels) +
                                              (from.y + row) * image->pitch) +
            from.x;
        auto* d = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(target->pixels) +
                                              (to.y + row) * target->pitch) +
                  to.x;
        blendRow(s, d, from.w);
    }
}

// Blits a probe over a screen-format surface through SDL and through blendRow
// and compares the colour bytes: every alpha, over dark, light and mixed colours.
bool blendsLikeSdl(const SDL_Surface* target) {
    constexpr int W = 256, H = 16;
    const SDL_PixelFormat* t = target->format;
    SDL_Surface* probe =
        SDL_CreateRGBSurface(SDL_SRCALPHA, W, H, 32, t->Rmask, t->Gmask, t->Bmask, 0xff000000u);
    SDL_Surface* bySdl =
        SDL_CreateRGBSurface(SDL_SWSURFACE, W, H, 32, t->Rmask, t->Gmask, t->Bmask, 0);
    SDL_Surface* byHand =
        SDL_CreateRGBSurface(SDL_SWSURFACE, W, H, 32, t->Rmask, t->Gmask, t->Bmask, 0);
    bool same = probe && bySdl && byHand && canBlendOnto(probe, bySdl);
    if (same) {
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const uint32_t v = uint32_t(x * 97 + y * 1031) * 2654435761u;
                const Uint8 a = Uint8(x), light = Uint8(y * 17);
                static_cast<uint32_t*>(probe->pixels)[y * W + x] =
                    SDL_MapRGBA(probe->format, Uint8(v >> 8), Uint8(v >> 16), light, a);
                static_cast<uint32_t*>(bySdl->pixels)[y * W + x] =
                    SDL_MapRGB(bySdl->format, Uint8(255 - light), Uint8(v >> 24), Uint8(v));
            }
        std::memcpy(byHand->pixels, bySdl->pixels, size_t(H) * bySdl->pitch);
        SDL_BlitSurface(probe, nullptr, bySdl, nullptr);
        blendInto(probe, byHand, {0, 0, W, H}, {0, 0, W, H});
        const uint32_t colour = t->Rmask | t->Gmask | t->Bmask;
        for (int i = 0; i < W * H && same; ++i)
            same = ((static_cast<uint32_t*>(bySdl->pixels)[i] ^
                     static_cast<uint32_t*>(byHand->pixels)[i]) &
                    colour) == 0;
    }
    SDL_FreeSurface(probe);
    SDL_FreeSurface(bySdl);
    SDL_FreeSurface(byHand);
    return same;
}

// The answer of the probe for the screen (and format) it was taken on.
const SDL_Surface* probedScreen;
const SDL_PixelFormat* probedFormat;
bool probedAnswer;

} // namespace

bool blitBlended(SDL_Surface* image, const SDL_Rect* source, Sint16 x, Sint16 y) {
    if (!image || !screen || !canBlendOnto(image, screen))
        return false;
    if (probedScreen != screen || probedFormat != screen->format) {
        probedScreen = screen;
        probedFormat = screen->format;
        probedAnswer = blendsLikeSdl(screen);
    }
    if (!probedAnswer)
        return false;
    SDL_Rect from, to;
    if (clip(image, screen, source, x, y, from, to))
        blendInto(image, screen, from, to);
    return true;
}

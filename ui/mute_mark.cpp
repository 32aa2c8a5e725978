// The mute mark, centred on its place whatever the picture's size.
#include "ui/mute_mark.h"

#include "audio/sound.h"
#include "ui/display.h"

SDL_Surface* muteMarkImage;

void drawMuteMark() {
    if (soundMuted && muteMarkImage)
        blitAt(muteMarkImage, nullptr, MUTE_MARK_CENTRE_X - muteMarkImage->w / 2,
               MUTE_MARK_CENTRE_Y - muteMarkImage->h / 2);
}

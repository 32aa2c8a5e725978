// The match's sounds are read off the contact the frame already found: the
// rectangle that pushed the ball tells a paddle from a wall, and nothing in
// the match changes for being heard.
#include "game/match_sounds.h"

#include "audio/sound.h"

#include <algorithm>
#include <cmath>

namespace {

bool isPaddlePart(const CollisionRect* rect) {
    return std::find(paddle1Parts, paddle1Parts + paddle1PartCount, rect) !=
               paddle1Parts + paddle1PartCount ||
           std::find(paddle2Parts, paddle2Parts + paddle2PartCount, rect) !=
               paddle2Parts + paddle2PartCount;
}

} // namespace

int paddleHitSemitones(double speed) {
    constexpr double SPEED_PER_SEMITONE = 0.5;
    const double above = std::floor((speed - SERVE_SPEED) / SPEED_PER_SEMITONE);
    if (!(above > 0)) // NaN too
        return 0;
    return int(std::min(above, double(MAX_PITCH_SEMITONES)));
}

void soundBallContact(const Ball& ball, const CollisionRect* touched) {
    if (isPaddlePart(touched))
        playSound(SOUND_PADDLE, panForX(ball.x), paddleHitSemitones(ball.speed));
    else
        playSound(SOUND_WALL, panForX(ball.x));
}

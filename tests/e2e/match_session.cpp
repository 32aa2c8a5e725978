// The shared match steps: starting a match through the title menu and
// reading the ball and the left paddle off a grab by comparing with the field.
#include "match_session.h"

namespace {

// Paddle columns well inside the left paddle's body, away from its curved face.
constexpr int PADDLE_COLUMN_LEFT = 66;
constexpr int PADDLE_COLUMN_RIGHT = 76;
constexpr int PADDLE_ROW_MIN_COLUMNS = 8; // of the ten, to count a row as paddle
constexpr int SLIDE_IN_MS = 6000;
constexpr int PADDLE_MIN_HEIGHT = 60; // the paddle picture is 72 rows tall

} // namespace

void MatchSession::SetUp() {
    GameSession::SetUp();
    field = composeField(std::string(RORED_SOURCE_DIR) + "/Media");
}

void MatchSession::startSinglePlayer() {
    click(320, 195);
    movePointer(320, 20);
    const Frame in = grabUntil(
        [&](const Frame& f) {
            const int paddle = countDifferences(f, field, LEFT_PADDLE_HOME, BLEND_TOLERANCE);
            const int backing = countDifferences(f, field, LEFT_BACKING, BLEND_TOLERANCE);
            // The paddle's body columns are covered once it has come most of the way.
            return paddle > 22 * 72 / 2 && backing > 200 * 28 / 3 &&
                   leftPaddleSpan(f).length() >= PADDLE_MIN_HEIGHT;
        },
        SLIDE_IN_MS);
    ASSERT_GT(countDifferences(in, field, LEFT_PADDLE_HOME, BLEND_TOLERANCE), 22 * 72 / 2)
        << "the left paddle did not slide in";
    ASSERT_GT(countDifferences(in, field, LEFT_BACKING, BLEND_TOLERANCE), 200 * 28 / 3)
        << "the left score backing did not slide in";
}

Box MatchSession::ballBox(const Frame& frame) const {
    return differenceBounds(frame, field, MIDDLE_FIELD, BLEND_TOLERANCE, {pointer()});
}

Span MatchSession::leftPaddleSpan(const Frame& frame) const {
    Span best, run;
    bool inRun = false;
    for (int y = MIDDLE_FIELD.y0; y <= MIDDLE_FIELD.y1; ++y) {
        const bool paddleRow =
            y < MIDDLE_FIELD.y1 &&
            countDifferences(frame, field, {PADDLE_COLUMN_LEFT, y, PADDLE_COLUMN_RIGHT, y + 1},
                             BLEND_TOLERANCE) >= PADDLE_ROW_MIN_COLUMNS;
        if (paddleRow && !inRun)
            run.top = y;
        if (!paddleRow && inRun) {
            run.bottom = y;
            if (run.length() > best.length())
                best = run;
        }
        inRun = paddleRow;
    }
    return best;
}

bool MatchSession::fieldMoves(int delayMs, int timeoutMs) {
    const long long end = nowMs() + timeoutMs;
    do {
        const Frame before = grab();
        sleepMs(delayMs);
        const Frame after = grab();
        if (countDifferences(before, after, MIDDLE_FIELD, 0, {pointer()}) > 0)
            return true;
    } while (nowMs() < end);
    return false;
}

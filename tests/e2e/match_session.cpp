// The shared match steps: starting a match through the title menu and
// reading the ball and the left paddle off a grab by comparing with the field.
#include "match_session.h"

namespace {

// Paddle columns well inside the left paddle's body, away from its curved face.
constexpr int PADDLE_COLUMN_LEFT = 66;
constexpr int PADDLE_COLUMN_RIGHT = 76;
constexpr int PADDLE_ROW_MIN_COLUMNS = 8; // of the ten, to count a row as paddle
constexpr int PADDLE_LANE_TOP = 50;       // the walls' inner edges
constexpr int PADDLE_LANE_BOTTOM = 430;
// The ball picture is a little over 40 pixels across.
constexpr int BALL_MIN_SIZE = 30;
constexpr int BALL_MAX_SIZE = 60;
constexpr int SLIDE_IN_MS = 6000;
constexpr int PADDLE_MIN_HEIGHT = 60; // the paddle picture is 72 rows tall

} // namespace

void MatchSession::SetUp() {
    GameSession::SetUp();
    const std::string media = std::string(RORED_SOURCE_DIR) + "/Media";
    field = composeField(media);
    backingsField =
        composeField(media, {{"textbacking1.png", 0, 75}, {"textbacking2.png", 440, 75}});
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

    // The backings come to rest last (the paddles are still within a pixel
    // of theirs a few frames earlier); a passing ball only delays this.
    const auto backingsHome = [&](const Frame& f) {
        return countDifferences(f, backingsField, LEFT_BACKING_PLAIN, BLEND_TOLERANCE) == 0 &&
               countDifferences(f, backingsField, RIGHT_BACKING_PLAIN, BLEND_TOLERANCE) == 0;
    };
    ASSERT_TRUE(backingsHome(grabUntil(backingsHome, SLIDE_IN_MS)))
        << "the score backings did not come to rest at x 0 and 440";
}

Box MatchSession::ballBox(const Frame& frame) const {
    return differenceBounds(frame, field, MIDDLE_FIELD, BLEND_TOLERANCE, {pointer()});
}

bool MatchSession::wholeBall(Box box) {
    const int w = box.x1 - box.x0, h = box.y1 - box.y0;
    return w >= BALL_MIN_SIZE && w <= BALL_MAX_SIZE && h >= BALL_MIN_SIZE && h <= BALL_MAX_SIZE;
}

Span MatchSession::leftPaddleSpan(const Frame& frame) const {
    Span best, run;
    bool inRun = false;
    for (int y = PADDLE_LANE_TOP; y <= PADDLE_LANE_BOTTOM; ++y) {
        const bool paddleRow =
            y < PADDLE_LANE_BOTTOM &&
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

// The match frame: bounces by push direction, the speed gain, paddle steering
// and clamping, the slide-in, and what lands where on a 32-bit test screen.
// (The refereed match checks a long match between every pair of frames.)
#include "game/match_frame.h"

#include "game_test_support.h"
#include "support/test_sheets.h"
#include "ui/display.h"

const Rgb BLACK{0, 0, 0}, RED{220, 0, 0}, WHITE{255, 255, 255};

// Every listed point (x0, y0, x1, y1, ...) shows `colour`.
static void expectPixels(Rgb colour, std::initializer_list<int> xy) {
    for (auto p = xy.begin(); p != xy.end(); p += 2)
        EXPECT_EQ(pixelAt(screen, p[0], p[1]), colour) << "at " << p[0] << "," << p[1];
}

// Along y 80, each x shows the font cell of the matching character of
// `row`, or black for a space.
static void expectScoreRow(std::vector<int> xs, const char* row) {
    for (size_t i = 0; i < xs.size(); i++)
        EXPECT_EQ(pixelAt(screen, xs[i], 80), row[i] == ' ' ? BLACK : sheetCellColour(row[i] - ' '))
            << "x " << xs[i];
}

class MatchFrameTest : public HeadlessDisplayTest {};
class MatchFrameWorldTest : public GameWorldTest {};

// One block, x 100..150, y 100..200; balls arrive at 5 px per frame, speed 5,
// or faster in steps of at most 20 px. No world is loaded, so there is no
// ball picture: balls move all the same.
TEST_F(MatchFrameTest, Bounce_followsThePushDirectionAndRescalesToSpeedPlusATenth) {
    addCollisionRect(100, 100, 50, 100);
    const double cases[][9] = {
        // x, y, vx, vy before the frame; x, y, vx, vy, speed after it
        {76, 150, 3, 4, 76, 154, -3.06, 4.08, 5.1},           // into the left face: vx turns
        {82, 150, -3, 4, 76, 154, -3.06, 4.08, 5.1},          // moving away from it: kept
        {125, 224, 4, -3, 129, 224, 4.08, 3.06, 5.1},         // rising into the bottom face
        {125, 218, 4, 3, 129, 224, 4.08, 3.06, 5.1},          // falling away from it: kept
        {125, 76, 4, 3, 129, 76, 4.08, -3.06, 5.1},           // falling onto the top face
        {87, 90, 1, 1, 80.8, 85.6, -4.08, -3.06, 5.1},        // corner: 15 px off along (-4, -3)
        {320, 240, 1.25, -2.5, 321.25, 237.5, 1.25, -2.5, 5}, // untouched: exactly kept
        {40, 150, 60, 0, 74.3, 150, -5.1, 0, 5.1}, // 3 steps: the 2nd meets the face, the 3rd
                                                   // moves on at a third of the new velocity
        {590, 240, 60, 0, 610, 240, 60, 0, 5},     // stops past the goal line, not to bounce back
        {125, 76, 0.1, 5, 125.1, 76, 1, -5.000999900019995, 5.1}, // left crossing at 1 px/frame
    };
    for (const double* c : cases) {
        SCOPED_TRACE(testing::Message() << "ball from " << c[0] << "," << c[1]);
        removeAllBalls();
        Ball& ball = addBall(c[0], c[1], c[2], c[3]);
        runMatchFrame();
        expectNear(Values({ball.x, ball.y, ball.vx, ball.vy, ball.speed}), Values(c + 4, c + 9),
                   c[8] == 5 ? 0 : 1e-9);
    }
}

// A corridor 40 px high: a ball in the middle touches both walls at once.
TEST_F(MatchFrameTest, EachContactFrame_addsATenthOnceHoweverManyRectanglesWereTouched) {
    addCollisionRect(0, 0, 640, 50);
    addCollisionRect(0, 90, 640, 50);
    Ball& ball = addBall(320, 70, 40, 0); // two steps, both touching; speed 5
    for (double speed : {5.1, 5.2}) {
        runMatchFrame();
        expectNear(Values({ball.speed, std::hypot(ball.vx, ball.vy)}), Values({speed, speed}));
    }
}

// The balls move before the paddles: a ball meets paddle 1's face where the
// paddle stood, though the paddle then jumps 34 px up, clear of the ball.
//   face slices x 76..87, y 204..276 -> 170..242 after the jump; ball at y 240
TEST_F(MatchFrameWorldTest, BallsMeetThePaddlesWhereTheyStoodBeforeThePaddlesMove) {
    player1IsHuman = true;
    paddle1Velocity = -40;
    matchSlide = 1; // paddle 1 stays at x 65
    Ball& ball = addBall(112, 240, -4, 0);
    runMatchFrame();
    EXPECT_EQ(paddle1Y, 170);
    EXPECT_GT(ball.vx, 0) << "the ball went on into where the paddle had been";
}

// Paddle 1 is human, paddle 2 the computer's until the last phase.
TEST_F(MatchFrameWorldTest, Paddles_followTheirKeysOrTheFirstBallDecayAndStopAtTheClamp) {
    player1IsHuman = true;
    keyStates[SDLK_w] = keyStates[SDLK_s] = KEY_HELD; // cancel out: paddle 1 only decays
    paddle1Velocity = 2;
    addBall(320, 340); // 100 px below both paddles' middles (240)
    addBall(320, 60);  // ignored
    runMatchFrame();
    expectNear(Values({paddle1Velocity, paddle1Y, paddle2Velocity, paddle2Parts[0]->y}),
               Values({1.7, 205.7, 1.5, 205.5}));
    removeAllBalls();
    runMatchFrame();
    EXPECT_NEAR(paddle2Velocity, 1.2, 1e-9); // no ball: decay only

    // One key held tends to 5 px per frame, and the clamp leaves that alone.
    player2IsHuman = true;
    keyStates[SDLK_w] = KEY_UP;
    keyStates[SDLK_UP] = KEY_HELD;
    for (int i = 0; i < 300; i++)
        runMatchFrame();
    expectNear(Values({paddle1Velocity, paddle2Velocity}), Values({5, -5}));
    EXPECT_EQ(Values({paddle1Y, paddle1Parts[0]->y, paddle2Y, paddle2Parts[0]->y}),
              Values({358, 358, 50, 50}));
}

// --- Drawing: flat test pictures, and a font sheet with a colour per cell ---
struct MatchFrameDrawTest : HeadlessDisplayTest {
    void SetUp() override {
        HeadlessDisplayTest::SetUp();
        loadTheme();
        replaceSurface(fontImage, makeCellSheet(GLYPH_COUNT, 1, GLYPH_WIDTH, GLYPH_HEIGHT));
        replaceSurface(paddle1Image, makeSolidSurface(22, 72, RED));
        replaceSurface(paddle2Image, makeSolidSurface(22, 72, RED));
        replaceSurface(ballImage, makeSolidSurface(44, 44, WHITE, true));
        screenState = SCREEN_MATCH;
    }
};

// No world: the paddles sit clamped at y 50, clear of the score row (77..97).
// The screen is not cleared between frames, so only edges away from the
// trail of earlier frames are looked at.
TEST_F(MatchFrameDrawTest, Slide_movesPaddlesInFromTheEdgesTruncatingTowardZero) {
    runMatchFrame();
    expectNear(Values({matchSlide, paddle1X, paddle2X}), Values({0.05, -17.65, 656.55}), 1e-12);
    expectPixels(RED, {4, 110}); // drawn at -17: columns 0..4
    expectPixels(BLACK, {5, 110});
    for (int i = 0; i < 12; i++)
        runMatchFrame();
    EXPECT_LT(matchSlide, 0.5);
    runMatchFrame();
    EXPECT_GT(matchSlide, 0.5);
    expectPixels(RED, {43, 110, 606, 110}); // drawn at 22 and 606
    expectPixels(BLACK, {44, 110, 605, 110});
}

// Fully in, the left score starts at x 40; the right one is centred on 600.
// The second frame's digits land on cells the first one drew or left black.
// Balls are drawn centred on their centres truncated toward zero, and not at
// all from anywhere beyond SDL's 16-bit positions.
TEST_F(MatchFrameDrawTest, ScoresAndBalls_landWhereTheirAnchorsSay) {
    matchSlide = 1;
    player1Score = 12;
    player2Score = 3;
    addBall(320.7, 240.9); // drawn from (298, 218) to (341, 261)
    addBall(-10.5, 300);   // drawn from -10 - 22 = -32 to column 11
    // Far off the field, balls must not wrap round to land on it when drawn:
    addBall(100, 65836), addBall(100, -65236);       // at y 278 for one
    addBall(65856, 150), addBall(-65216, 150);       // at x 298 for one
    addBall(NAN, NAN), addBall(INFINITY, -INFINITY); // at the top left
    runMatchFrame();
    expectScoreRow({39, 40, 51, 594, 595}, " 12 3");
    expectPixels(WHITE, {298, 218, 341, 261, 11, 300});
    expectPixels(BLACK,
                 {297, 218, 298, 217, 342, 261, 341, 262, 12, 300, 100, 300, 320, 150, 5, 5});
    player1Score = 7;
    player2Score = 45;
    runMatchFrame();
    expectScoreRow({40, 588, 589, 600}, "7 45");
}

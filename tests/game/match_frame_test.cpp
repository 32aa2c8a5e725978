// The match frame: bounces by push direction, the speed gain, paddle steering
// and clamping, the slide-in, and what lands where on a 32-bit test screen.
#include "game/match_frame.h"

#include "game/world.h"
#include "input/input.h"
#include "support/headless_display.h"
#include "support/test_sheets.h"
#include "ui/image_loaders.h"
#include "ui/display.h"
#include "ui/theme.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const Rgb BLACK{0, 0, 0};
const Rgb RED{220, 0, 0};
const Rgb BLUE{0, 0, 220};
const Rgb GREEN{0, 160, 0};
const Rgb NAVY{0, 0, 90};
const Rgb WHITE{255, 255, 255};

Ball* addBall(double x, double y, double vx, double vy, double speed = 5) {
    balls[ballCount] = new Ball{x, y, vx, vy, speed};
    return balls[ballCount++];
}

// Like the main loop: a cleared screen under every frame.
void runFrames(int n) {
    for (int i = 0; i < n; i++) {
        fillSurface(screen, BLACK);
        runMatchFrame();
    }
}

// Puts a test picture in a handle, freeing the one loaded there before.
void replacePicture(SDL_Surface*& handle, SDL_Surface* picture) {
    SDL_FreeSurface(handle);
    handle = picture;
}

Rgb digitColour(char digit) {
    return sheetCellColour(digit - ' ');
}

} // namespace

class MatchFrameTest : public HeadlessDisplayTest {
  protected:
    void TearDown() override { removeAllBalls(); }
};

// --- Bounces ----------------------------------------------------------------
// One tall block for the face cases: x 100..150, y 100..200.
TEST_F(MatchFrameTest, BallMovingIntoASideFace_reversesVxAndSpeedsUp) {
    addCollisionRect(100, 100, 50, 100);
    Ball* b = addBall(75, 150, 4, 0); // moves to 79, 21 px from the face
    runMatchFrame();
    EXPECT_EQ(b->x, 76); // pushed to 22, then to 24 px clear
    EXPECT_EQ(b->y, 150);
    EXPECT_NEAR(b->vx, -5.1, 1e-12);
    EXPECT_NEAR(b->vy, 0, 1e-12);
    EXPECT_DOUBLE_EQ(b->speed, 5.1);
}

TEST_F(MatchFrameTest, BallMovingAwayFromASideFace_keepsVxAndSpeedsUp) {
    addCollisionRect(100, 100, 50, 100);
    Ball* b = addBall(83, 150, -4, 0); // also lands at 79
    runMatchFrame();
    EXPECT_EQ(b->x, 76);
    EXPECT_NEAR(b->vx, -5.1, 1e-12);
    EXPECT_DOUBLE_EQ(b->speed, 5.1);
}

TEST_F(MatchFrameTest, BallRisingIntoABottomFace_reversesVyAndKeepsItsXExactly) {
    addCollisionRect(100, 100, 50, 100);
    Ball* b = addBall(125, 225, 0, -4);
    runMatchFrame();
    EXPECT_EQ(b->x, 125); // the push's sideways rounding is lost
    EXPECT_EQ(b->y, 224);
    EXPECT_NEAR(b->vy, 5.1, 1e-12);
    EXPECT_NEAR(b->vx, 0, 1e-12);
}

TEST_F(MatchFrameTest, BallFallingAwayFromABottomFace_keepsVy) {
    addCollisionRect(100, 100, 50, 100);
    Ball* b = addBall(125, 220, 0, 1);
    runMatchFrame();
    EXPECT_EQ(b->y, 224);
    EXPECT_NEAR(b->vy, 5.1, 1e-12);
}

TEST_F(MatchFrameTest, BallFallingOntoATopFace_reversesVy) {
    addCollisionRect(100, 100, 50, 100);
    Ball* b = addBall(125, 75, 0, 4);
    runMatchFrame();
    EXPECT_EQ(b->y, 76);
    EXPECT_NEAR(b->vy, -5.1, 1e-12);
}

TEST_F(MatchFrameTest, BallHittingACorner_leavesAlongThePush) {
    addCollisionRect(100, 100, 50, 100);
    Ball* b = addBall(86, 86, 1, 0.5); // to (87, 86.5), near corner (100, 100)
    runMatchFrame();
    EXPECT_NEAR(std::hypot(b->x - 100, b->y - 100), 24, 1e-9);
    // The new heading is the line from the corner through the centre, not
    // the reflection of the incoming (1, 0.5).
    EXPECT_NEAR(std::atan2(b->vy, b->vx), std::atan2(b->y - 100, b->x - 100), 1e-9);
    EXPECT_NEAR(std::hypot(b->vx, b->vy), 5.1, 1e-12);
    EXPECT_LT(b->vx, 0);
    EXPECT_LT(b->vy, 0);
}

// A corridor 40 px high: a ball in the middle touches both walls at once.
TEST_F(MatchFrameTest, EachContactFrame_addsOneTenthOnceHoweverManyRectanglesWereTouched) {
    addCollisionRect(0, 0, 640, 50);
    addCollisionRect(0, 90, 640, 50);
    Ball* b = addBall(200, 70, 1, 0);
    runMatchFrame();
    EXPECT_DOUBLE_EQ(b->speed, 5.1);
    EXPECT_NEAR(std::hypot(b->vx, b->vy), 5.1, 1e-12);
    runMatchFrame();
    EXPECT_DOUBLE_EQ(b->speed, 5.2);
    EXPECT_NEAR(std::hypot(b->vx, b->vy), 5.2, 1e-12);
    EXPECT_GT(b->vx, 0);
}

TEST_F(MatchFrameTest, UntouchedBall_keepsItsVelocityAndSpeedExactly) {
    loadGameWorld();
    Ball* b = addBall(320, 240, 1.234, -2.5, 7.77);
    runMatchFrame();
    EXPECT_DOUBLE_EQ(b->x, 321.234);
    EXPECT_DOUBLE_EQ(b->y, 237.5);
    EXPECT_EQ(b->vx, 1.234);
    EXPECT_EQ(b->vy, -2.5);
    EXPECT_EQ(b->speed, 7.77);
}

TEST_F(MatchFrameTest, NewBall_movesAtFourUntilItsFirstContactThenAtFivePointOne) {
    loadGameWorld();
    Ball* b = addBall(320, 240, 0, -4); // straight up at the top wall
    int frames = 0;
    while (b->speed == 5 && frames < 100) {
        EXPECT_NEAR(std::hypot(b->vx, b->vy), 4, 1e-12);
        runMatchFrame();
        frames++;
    }
    EXPECT_NEAR(std::hypot(b->vx, b->vy), 5.1, 1e-12);
    EXPECT_GT(b->vy, 0); // bounced off the top wall
    EXPECT_EQ(b->y, 74); // 24 below the wall's foot
}

// --- Paddles ------------------------------------------------------------------
TEST_F(MatchFrameTest, HumanPaddle1_followsWAndSAndItsPartsMoveWithIt) {
    loadGameWorld();
    player1IsHuman = true;
    keyStates[SDLK_w] = KEY_HELD;
    runMatchFrame();
    EXPECT_EQ(paddle1Velocity, -0.75);
    EXPECT_EQ(paddle1Y, 203.25);
    EXPECT_EQ(paddle1Parts[0]->y, 203.25);
    EXPECT_EQ(paddle1Parts[11]->y, 223.25);

    keyStates[SDLK_w] = KEY_UP;
    keyStates[SDLK_s] = KEY_PRESSED; // a fresh press counts as held
    paddle1Velocity = 0;
    runMatchFrame();
    EXPECT_EQ(paddle1Velocity, 0.75);
    EXPECT_EQ(paddle1Y, 204);
}

TEST_F(MatchFrameTest, HumanPaddle_withBothKeysHeld_onlyDecays) {
    loadGameWorld();
    player1IsHuman = true;
    keyStates[SDLK_w] = KEY_HELD;
    keyStates[SDLK_s] = KEY_HELD;
    paddle1Velocity = 2;
    runMatchFrame();
    EXPECT_DOUBLE_EQ(paddle1Velocity, 1.7);
    EXPECT_DOUBLE_EQ(paddle1Y, 205.7);
}

TEST_F(MatchFrameTest, HumanPaddle2_followsTheArrowKeysOnly) {
    loadGameWorld();
    player2IsHuman = true;
    keyStates[SDLK_w] = KEY_HELD; // paddle 1's key
    keyStates[SDLK_DOWN] = KEY_HELD;
    runMatchFrame();
    EXPECT_EQ(paddle2Velocity, 0.75);
    EXPECT_EQ(paddle2Parts[0]->y, 204.75);
    keyStates[SDLK_DOWN] = KEY_UP;
    keyStates[SDLK_UP] = KEY_HELD;
    paddle2Velocity = 0;
    runMatchFrame();
    EXPECT_EQ(paddle2Velocity, -0.75);
}

TEST_F(MatchFrameTest, HeldKey_bringsThePaddleToFivePixelsPerFrameAndTheClampHoldsIt) {
    loadGameWorld();
    player1IsHuman = true;
    keyStates[SDLK_s] = KEY_HELD;
    for (int i = 0; i < 300; i++)
        runMatchFrame();
    EXPECT_NEAR(paddle1Velocity, 5, 1e-9); // kept at the clamp
    EXPECT_EQ(paddle1Y, 358);
    EXPECT_EQ(paddle1Parts[0]->y, 358);
    EXPECT_EQ(paddle1Parts[11]->y, 378);
}

TEST_F(MatchFrameTest, PaddleClampedAtTheTop_keepsItsVelocityAndLeavesOnlyWhenItTurns) {
    loadGameWorld();
    player1IsHuman = true;
    paddle1Velocity = -200;
    runMatchFrame();
    EXPECT_EQ(paddle1Y, 50);
    EXPECT_EQ(paddle1Velocity, -170);
    EXPECT_EQ(paddle1Parts[0]->y, 50);

    paddle1Velocity = -0.5;
    keyStates[SDLK_s] = KEY_HELD; // -0.425 + 0.75 points away from the wall
    runMatchFrame();
    EXPECT_DOUBLE_EQ(paddle1Y, 50.325);
}

TEST_F(MatchFrameTest, ComputerPaddles_steerTowardTheFirstBallOnly) {
    loadGameWorld();
    addBall(320, 340, 0, 0); // 100 px below both paddles' middles (240)
    addBall(320, 60, 0, 0);  // ignored
    runMatchFrame();
    EXPECT_DOUBLE_EQ(paddle1Velocity, 1.5);
    EXPECT_DOUBLE_EQ(paddle1Y, 205.5);
    EXPECT_DOUBLE_EQ(paddle2Velocity, 1.5);
    EXPECT_DOUBLE_EQ(paddle2Y, 205.5);
    EXPECT_DOUBLE_EQ(paddle2Parts[0]->y, 205.5);
}

TEST_F(MatchFrameTest, ComputerPaddles_withNoBalls_onlyDecay) {
    loadGameWorld();
    paddle1Velocity = 2;
    paddle2Velocity = -2;
    runMatchFrame();
    EXPECT_DOUBLE_EQ(paddle1Velocity, 1.6);
    EXPECT_DOUBLE_EQ(paddle1Y, 205.6);
    EXPECT_DOUBLE_EQ(paddle2Velocity, -1.6);
    EXPECT_DOUBLE_EQ(paddle2Y, 202.4);
}

// --- Slide -----------------------------------------------------------------------
class MatchFrameDrawTest : public MatchFrameTest {
  protected:
    void SetUp() override {
        MatchFrameTest::SetUp();
        if (withWorld)
            loadGameWorld();
        loadTheme(); // cell tables; the sheets are replaced below
        useTestPictures();
    }
    // Flat pictures whose colours tell them apart, in place of the loaded ones.
    void useTestPictures() {
        replacePicture(fontImage, makeCellSheet(GLYPH_COUNT, 1, GLYPH_WIDTH, GLYPH_HEIGHT));
        replacePicture(paddle1Image, makeSolidSurface(22, 72, RED));
        replacePicture(paddle2Image, makeSolidSurface(22, 72, BLUE));
        replacePicture(textBacking1Image, makeSolidSurface(200, 40, GREEN));
        replacePicture(textBacking2Image, makeSolidSurface(200, 40, NAVY));
        replacePicture(ballImage, makeSolidSurface(44, 44, WHITE, true));
    }
    bool withWorld = false;
};

// The same, with the walls and paddles built first.
class MatchFrameWorldDrawTest : public MatchFrameDrawTest {
  protected:
    MatchFrameWorldDrawTest() { withWorld = true; }
};

TEST_F(MatchFrameWorldDrawTest, FirstMatchFrame_slidesThePaddlesToTheirFirstPlaces) {
    screenState = SCREEN_MATCH;
    runFrames(1);
    EXPECT_DOUBLE_EQ(matchSlide, 0.05);
    EXPECT_NEAR(paddle1X, -17.65, 1e-12);
    EXPECT_NEAR(paddle2X, 656.55, 1e-12);
    EXPECT_NEAR(paddle1Parts[0]->x, -17.65, 1e-12);
    // Drawn at -17 (toward zero): columns 0..4 show.
    EXPECT_EQ(pixelAt(screen, 4, 204), RED);
    EXPECT_EQ(pixelAt(screen, 5, 204), BLACK);
    EXPECT_EQ(pixelAt(screen, 0, 203), BLACK);
    EXPECT_EQ(pixelAt(screen, 0, 275), RED);
    EXPECT_EQ(pixelAt(screen, 639, 240), BLACK); // paddle 2 at 656, off screen
}

TEST_F(MatchFrameWorldDrawTest, FourteenthFrame_passesHalfAndDrawsPaddlesAt22And606) {
    screenState = SCREEN_MATCH;
    runFrames(13);
    EXPECT_LT(matchSlide, 0.5);
    runFrames(1);
    EXPECT_NEAR(matchSlide, 0.5123, 1e-4);
    EXPECT_EQ(pixelAt(screen, 21, 240), BLACK);
    EXPECT_EQ(pixelAt(screen, 22, 240), RED);
    EXPECT_EQ(pixelAt(screen, 43, 240), RED);
    EXPECT_EQ(pixelAt(screen, 44, 240), BLACK);
    EXPECT_EQ(pixelAt(screen, 605, 240), BLACK);
    EXPECT_EQ(pixelAt(screen, 606, 240), BLUE);
    EXPECT_EQ(pixelAt(screen, 627, 240), BLUE);
    EXPECT_EQ(pixelAt(screen, 628, 240), BLACK);
}

TEST_F(MatchFrameDrawTest, FourteenthFrame_drawsBackingsAndScoresTruncatedTowardZero) {
    screenState = SCREEN_MATCH;
    player1Score = 7;
    player2Score = 3;
    runFrames(14);
    // Backing 1 at trunc(-97.5) = -97, so its last column is 102.
    EXPECT_EQ(pixelAt(screen, 102, 100), GREEN);
    EXPECT_EQ(pixelAt(screen, 103, 100), BLACK);
    // Score 1 at trunc(-3.9) = -3: the 7 cell covers columns 0..11.
    EXPECT_EQ(pixelAt(screen, 11, 77), digitColour('7'));
    EXPECT_EQ(pixelAt(screen, 12, 77), GREEN);
    // Backing 2 at trunc(537.5) = 537; score 2 centred on 643: starts 638.
    EXPECT_EQ(pixelAt(screen, 536, 100), BLACK);
    EXPECT_EQ(pixelAt(screen, 537, 100), NAVY);
    EXPECT_EQ(pixelAt(screen, 637, 77), NAVY);
    EXPECT_EQ(pixelAt(screen, 638, 77), digitColour('3'));
}

TEST_F(MatchFrameTest, TitleScreen_slidesEverythingOut) {
    matchSlide = 1;
    runMatchFrame();
    EXPECT_DOUBLE_EQ(matchSlide, 0.95);
    EXPECT_DOUBLE_EQ(paddle1X, 60.65);
    EXPECT_DOUBLE_EQ(paddle2X, 558.45);
}

// --- Scores ------------------------------------------------------------------------
// Fully in: the left score starts at x 40, the right one is centred on 600.
TEST_F(MatchFrameDrawTest, SingleDigitScores_leftStartsAt40RightCentredOn600) {
    matchSlide = 1;
    screenState = SCREEN_MATCH;
    player1Score = 7;
    player2Score = 3;
    runFrames(1);
    ASSERT_EQ(matchSlide, 1);
    EXPECT_EQ(pixelAt(screen, 39, 77), GREEN);
    EXPECT_EQ(pixelAt(screen, 40, 77), digitColour('7'));
    EXPECT_EQ(pixelAt(screen, 54, 97), digitColour('7'));
    EXPECT_EQ(pixelAt(screen, 55, 77), GREEN);
    EXPECT_EQ(pixelAt(screen, 40, 76), GREEN);
    EXPECT_EQ(pixelAt(screen, 40, 98), GREEN);

    EXPECT_EQ(pixelAt(screen, 594, 77), NAVY);
    EXPECT_EQ(pixelAt(screen, 595, 77), digitColour('3'));
    EXPECT_EQ(pixelAt(screen, 609, 97), digitColour('3'));
    EXPECT_EQ(pixelAt(screen, 610, 77), NAVY);
    // Backings fully in: 0..199 and 440..639.
    EXPECT_EQ(pixelAt(screen, 199, 100), GREEN);
    EXPECT_EQ(pixelAt(screen, 200, 100), BLACK);
    EXPECT_EQ(pixelAt(screen, 439, 100), BLACK);
    EXPECT_EQ(pixelAt(screen, 440, 100), NAVY);
}

TEST_F(MatchFrameDrawTest, SeveralDigitScores_leftGrowsRightwardRightStaysCentred) {
    matchSlide = 1;
    screenState = SCREEN_MATCH;
    player1Score = 12;
    player2Score = 45;
    paddle1Y = 300; // out of the way of the score row
    runFrames(1);
    EXPECT_EQ(pixelAt(screen, 40, 80), digitColour('1'));
    EXPECT_EQ(pixelAt(screen, 50, 80), digitColour('1'));
    EXPECT_EQ(pixelAt(screen, 51, 80), digitColour('2')); // 11 px pen, later cell on top
    EXPECT_EQ(pixelAt(screen, 65, 80), digitColour('2'));
    EXPECT_EQ(pixelAt(screen, 66, 80), GREEN);

    EXPECT_EQ(pixelAt(screen, 588, 80), NAVY); // two digits start 11 left of 600
    EXPECT_EQ(pixelAt(screen, 589, 80), digitColour('4'));
    EXPECT_EQ(pixelAt(screen, 599, 80), digitColour('4'));
    EXPECT_EQ(pixelAt(screen, 600, 80), digitColour('5'));
    EXPECT_EQ(pixelAt(screen, 614, 80), digitColour('5'));
}

TEST_F(MatchFrameDrawTest, ThreeDigitRightScore_startsAtHalfItsWidthTruncated) {
    matchSlide = 1;
    screenState = SCREEN_MATCH;
    player2Score = 123;
    player1Score = -4; // printed with its sign
    runFrames(1);
    EXPECT_EQ(pixelAt(screen, 583, 80), NAVY); // 600 - 33/2 = 584
    EXPECT_EQ(pixelAt(screen, 584, 80), digitColour('1'));
    EXPECT_EQ(pixelAt(screen, 40, 80), sheetCellColour('-' - ' '));
    EXPECT_EQ(pixelAt(screen, 51, 80), digitColour('4'));
}

// --- Balls and drawing order ---------------------------------------------------------
TEST_F(MatchFrameDrawTest, Ball_isDrawnCentredOnItsTruncatedCentre) {
    Ball* b = addBall(320.7, 240.9, 0, 0);
    runFrames(1);
    EXPECT_EQ(b->x, 320.7);
    EXPECT_EQ(pixelAt(screen, 298, 218), WHITE); // 320 - 22, 240 - 22
    EXPECT_EQ(pixelAt(screen, 297, 218), BLACK);
    EXPECT_EQ(pixelAt(screen, 298, 217), BLACK);
    EXPECT_EQ(pixelAt(screen, 341, 261), WHITE);
    EXPECT_EQ(pixelAt(screen, 342, 261), BLACK);
    EXPECT_EQ(pixelAt(screen, 341, 262), BLACK);
}

TEST_F(MatchFrameDrawTest, BallLeftOfTheScreen_isTruncatedTowardZero) {
    addBall(-10.5, 300, 0, 0); // drawn at -10 - 22 = -32: columns up to 11
    runFrames(1);
    EXPECT_EQ(pixelAt(screen, 11, 300), WHITE);
    EXPECT_EQ(pixelAt(screen, 12, 300), BLACK);
}

TEST_F(MatchFrameDrawTest, WithoutABallPicture_ballsMoveButAreNotDrawn) {
    replacePicture(ballImage, nullptr);
    Ball* b = addBall(320, 240, 3, 1);
    runFrames(1);
    EXPECT_EQ(b->x, 323);
    EXPECT_EQ(b->y, 241);
    EXPECT_EQ(pixelAt(screen, 323, 241), BLACK);
}

TEST_F(MatchFrameDrawTest, Drawing_putsBallsOverScoresAndBackingsAndPaddlesOverBalls) {
    matchSlide = 1;
    screenState = SCREEN_MATCH;
    addBall(50, 85, 0, 0);  // over score 1 (40..54, 77..97) and backing 1
    addBall(100, 90, 0, 0); // partly under paddle 1 (65..86 from y 50)
    runFrames(1);
    ASSERT_EQ(paddle1X, 65);
    ASSERT_EQ(paddle1Y, 50); // no world: clamped from 0
    EXPECT_EQ(pixelAt(screen, 45, 80), WHITE);
    EXPECT_EQ(pixelAt(screen, 110, 90), WHITE);
    EXPECT_EQ(pixelAt(screen, 80, 90), RED);
    EXPECT_EQ(pixelAt(screen, 10, 110), GREEN);
}

// The ball picture is run-length encoded at load time for speed; it must put
// exactly the pixels a plain per-pixel-alpha blit would, on any background.
TEST_F(MatchFrameTest, LoadedBallPicture_drawsTheSamePixelsAsAPlainAlphaBlit) {
    loadGameWorld();
    if (!ballImage)
        GTEST_SKIP() << "Media/Game/ball.png is not there";
    ASSERT_TRUE(ballImage->flags & SDL_RLEACCELOK); // encoded at its first blit
    // Only the balls are drawn, and nothing pushes them: both frames differ
    // in the ball picture alone.
    collisionRectCount = 0;
    for (SDL_Surface** other :
         {&paddle1Image, &paddle2Image, &textBacking1Image, &textBacking2Image}) {
        SDL_FreeSurface(*other);
        *other = nullptr;
    }
    for (int i = 0; i < 40; i++)
        addBall(100 + i * 11.3, 90 + (i * 37) % 300, 0, 0);

    auto busyBackground = [] {
        for (int y = 0; y < SCREEN_HEIGHT; y += 2)
            for (int x = 0; x < SCREEN_WIDTH; x += 2) {
                SDL_Rect cell = {Sint16(x), Sint16(y), 2, 2};
                SDL_FillRect(
                    screen, &cell,
                    SDL_MapRGB(screen->format, Uint8(x * 7 + y), Uint8(y * 3 - x), Uint8(x ^ y)));
            }
    };
    busyBackground();
    runMatchFrame();
    SDL_Surface* encoded = SDL_DisplayFormat(screen);

    SDL_Surface* rle = ballImage;
    ballImage = loadAlphaImage("Media/Game/ball.png"); // plain, not encoded
    ASSERT_NE(ballImage, nullptr);
    ASSERT_FALSE(ballImage->flags & SDL_RLEACCELOK);
    busyBackground();
    runMatchFrame();

    int differing = 0;
    for (int y = 0; y < SCREEN_HEIGHT; y++)
        for (int x = 0; x < SCREEN_WIDTH; x++)
            differing += pixelAt(screen, x, y) != pixelAt(encoded, x, y);
    EXPECT_EQ(differing, 0);
    SDL_FreeSurface(encoded);
    SDL_FreeSurface(rle);
}

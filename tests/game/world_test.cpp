// The game world: what loadGameWorld builds, the capacity of the rectangle
// list, ball removal, and a world that still builds when pictures are bad.
#include "game/world.h"

#include "support/headless_display.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

// --- A tiny PNG writer: opaque RGBA, stored (uncompressed) deflate blocks ---
uint32_t crc32(const std::string& bytes) {
    uint32_t crc = 0xffffffffu;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; k++)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void putBigEndian(std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((v >> shift) & 0xff));
}

void putChunk(std::string& out, const char* type, const std::string& data) {
    putBigEndian(out, static_cast<uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    out += typed;
    putBigEndian(out, crc32(typed));
}

std::string makePng(int w, int h) {
    std::string raw;
    for (int y = 0; y < h; y++) {
        raw.push_back(0); // filter: none
        for (int x = 0; x < w; x++)
            raw += std::string{char(200), char(40), char(90), char(255)};
    }
    std::string zlib = {char(0x78), char(0x01)};
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t pos = 0; pos < raw.size(); pos += 65535) {
        const size_t len = std::min<size_t>(65535, raw.size() - pos);
        zlib.push_back(pos + len == raw.size() ? 1 : 0);
        zlib.push_back(static_cast<char>(len & 0xff));
        zlib.push_back(static_cast<char>(len >> 8));
        zlib.push_back(static_cast<char>(~len & 0xff));
        zlib.push_back(static_cast<char>((~len >> 8) & 0xff));
        zlib += raw.substr(pos, len);
    }
    putBigEndian(zlib, (b << 16) | a);

    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    putBigEndian(header, static_cast<uint32_t>(w));
    putBigEndian(header, static_cast<uint32_t>(h));
    header += std::string{8, 6, 0, 0, 0}; // 8-bit RGBA
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", zlib);
    putChunk(png, "IEND", "");
    return png;
}

const char* const OTHER_PICTURES[] = {"Media/Game/border.png",       "Media/Game/ball.png",
                                      "Media/Game/paddle1.png",      "Media/Game/paddle2.png",
                                      "Media/Game/textbacking1.png", "Media/Game/textbacking2.png"};

// Writes every game picture but the background, then `background` if given.
void writeGamePictures(const TempFolder& folder, const std::string* background) {
    for (const char* path : OTHER_PICTURES)
        folder.writeFile(path, makePng(4, 3));
    if (background)
        folder.writeFile("Media/Game/background.png", *background);
}

void expectRect(int index, double x, double y, double w, double h) {
    SCOPED_TRACE("rectangle " + std::to_string(index));
    const CollisionRect& r = *collisionRects[index];
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.w, w);
    EXPECT_EQ(r.h, h);
}

void expectRestOfWorldBuilt() {
    EXPECT_EQ(collisionRectCount, 28);
    EXPECT_EQ(paddle1PartCount, 12);
    EXPECT_EQ(paddle2PartCount, 12);
    EXPECT_NE(borderImage, nullptr);
    EXPECT_NE(ballImage, nullptr);
    EXPECT_NE(paddle1Image, nullptr);
    EXPECT_NE(paddle2Image, nullptr);
    EXPECT_NE(textBacking1Image, nullptr);
    EXPECT_NE(textBacking2Image, nullptr);
}

Ball* addBall(double x) {
    balls[ballCount] = new Ball{x, 240, 0, 0, 5};
    return balls[ballCount++];
}

} // namespace

class WorldTest : public HeadlessDisplayTest {};

TEST_F(WorldTest, LoadGameWorld_buildsWallsAndPaddlesAndLeavesMatchStateAtZero) {
    loadGameWorld();
    EXPECT_EQ(collisionRectCount, 28);
    EXPECT_EQ(paddle1PartCount, 12);
    EXPECT_EQ(paddle2PartCount, 12);
    EXPECT_EQ(ballCount, 0);
    EXPECT_EQ(player1Score, 0);
    EXPECT_EQ(player2Score, 0);
    EXPECT_FALSE(player1IsHuman);
    EXPECT_FALSE(player2IsHuman);
    EXPECT_EQ(screenState, SCREEN_TITLE);
    EXPECT_EQ(paddle1X, 65);
    EXPECT_EQ(paddle1Y, 204);
    EXPECT_EQ(paddle2X, 553);
    EXPECT_EQ(paddle2Y, 204);
}

TEST_F(WorldTest, LoadGameWorld_putsWallsFirstThenEachPaddleBodyAndSlices) {
    loadGameWorld();
    expectRect(0, 0, 0, 640, 50);
    expectRect(1, 0, 430, 640, 50);
    expectRect(2, 0, 0, 15, 480);
    expectRect(3, 625, 0, 15, 480);
    expectRect(4, 65, 204, 11, 72);   // paddle 1 body
    expectRect(5, 76, 204, 1, 72);    // its first slice
    expectRect(15, 86, 224, 1, 32);   // its last slice
    expectRect(16, 564, 204, 11, 72); // paddle 2 body
    expectRect(17, 564, 204, 1, 72);  // first slice on the body's first column
    expectRect(27, 554, 224, 1, 32);
}

TEST_F(WorldTest, PaddlePartLists_shareTheRectanglesOfTheCollisionList) {
    loadGameWorld();
    for (int i = 0; i < 12; i++) {
        EXPECT_EQ(paddle1Parts[i], collisionRects[4 + i]) << i;
        EXPECT_EQ(paddle2Parts[i], collisionRects[16 + i]) << i;
    }
}

TEST(World, AddCollisionRect_pastCapacity_addsNothing) {
    for (int i = 0; i < MAX_COLLISION_RECTS; i++)
        addCollisionRect(i, 0, 1, 1);
    ASSERT_EQ(collisionRectCount, 2000);
    CollisionRect* last = collisionRects[1999];

    addCollisionRect(-5, -5, 9, 9);
    addCollisionRect(-6, -6, 9, 9);

    EXPECT_EQ(collisionRectCount, 2000);
    EXPECT_EQ(collisionRects[1999], last);
    EXPECT_EQ(last->x, 1999);
}

TEST(World, RemoveBall_closesTheGapKeepingOrder) {
    Ball* a = addBall(1);
    addBall(2);
    Ball* c = addBall(3);
    Ball* d = addBall(4);

    removeBall(1);

    ASSERT_EQ(ballCount, 3);
    EXPECT_EQ(balls[0], a);
    EXPECT_EQ(balls[1], c);
    EXPECT_EQ(balls[2], d);

    removeBall(2); // the last entry
    ASSERT_EQ(ballCount, 2);
    EXPECT_EQ(balls[0], a);
    EXPECT_EQ(balls[1], c);
    removeAllBalls();
}

TEST(World, RemoveBall_outsideTheList_changesNothing) {
    Ball* a = addBall(1);
    removeBall(1);
    removeBall(-1);
    ASSERT_EQ(ballCount, 1);
    EXPECT_EQ(balls[0], a);
    removeAllBalls();
}

TEST(World, RemoveAllBalls_emptiesTheList) {
    for (int i = 0; i < 5; i++)
        addBall(i);
    removeAllBalls();
    EXPECT_EQ(ballCount, 0);
    addBall(7); // the list is usable again from entry 0
    EXPECT_EQ(balls[0]->x, 7);
    removeAllBalls();
}

TEST_F(WorldTest, WrittenTestPictures_allLoad) {
    // Guards the other cases: the writer's pictures are valid PNGs.
    TempFolder folder;
    const std::string background = makePng(640, 480);
    writeGamePictures(folder, &background);
    loadGameWorld();
    EXPECT_NE(backgroundImage, nullptr);
    expectRestOfWorldBuilt();
}

TEST_F(WorldTest, MissingBackground_leavesItsHandleEmptyAndBuildsTheRest) {
    TempFolder folder;
    writeGamePictures(folder, nullptr);
    loadGameWorld();
    EXPECT_EQ(backgroundImage, nullptr);
    expectRestOfWorldBuilt();
}

// Each case in its own test: the world is built once per run.
static void expectBackgroundRejected(const std::string& bytes) {
    TempFolder folder;
    writeGamePictures(folder, &bytes);
    loadGameWorld();
    EXPECT_EQ(backgroundImage, nullptr);
    expectRestOfWorldBuilt();
}

TEST_F(WorldTest, EmptyBackgroundFile_leavesItsHandleEmptyAndBuildsTheRest) {
    expectBackgroundRejected("");
}

TEST_F(WorldTest, TruncatedBackground_leavesItsHandleEmptyAndBuildsTheRest) {
    const std::string good = makePng(640, 480);
    expectBackgroundRejected(good.substr(0, good.size() / 3));
}

TEST_F(WorldTest, BackgroundWithOnlyTheSignature_leavesItsHandleEmpty) {
    expectBackgroundRejected(makePng(640, 480).substr(0, 8));
}

TEST_F(WorldTest, BackgroundThatIsNotAPicture_leavesItsHandleEmpty) {
    expectBackgroundRejected("this is plain text, not a picture\n");
}

TEST_F(WorldTest, NoMediaFolder_leavesEveryHandleEmptyAndBuildsTheWorld) {
    TempFolder folder;
    loadGameWorld();
    EXPECT_EQ(backgroundImage, nullptr);
    EXPECT_EQ(borderImage, nullptr);
    EXPECT_EQ(ballImage, nullptr);
    EXPECT_EQ(paddle1Image, nullptr);
    EXPECT_EQ(textBacking2Image, nullptr);
    EXPECT_EQ(collisionRectCount, 28);
    EXPECT_EQ(paddle1X, 65);
}

// The game's sound as SDL's disk driver records it, through the real frame
// pass: which frame made a sound, where it stands between the ears, its pitch,
// the overlay's sweeps and the shutter, the mute key, a crowd of hits, and
// the mark that shows while muted.
#include "audio/mixer.h"
#include "audio/sound.h"
#include "game/game_test_support.h"
#include "overlay/state.h"
#include "shell/frame.h"
#include "ui/display.h"
#include "ui/mute_mark.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// A sound posted in a frame is written before the file has grown by the
// writer's own buffering (at most 8 KB of stdio) and two device buffers past
// what it held just after that frame: 4096 frames; this allows half more.
constexpr size_t SLACK = 6144;
constexpr int AUDIBLE = 64;

struct Stretch {
    double left = 0, right = 0; // energy on each side
    int crossings = 0;          // sign changes of left + right
};

struct Recording : ::testing::Test {
    std::string file;

    void SetUp() override {
        char folder[] = "/tmp/rored-sound-XXXXXX";
        ASSERT_TRUE(mkdtemp(folder));
        file = std::string(folder) + "/played.raw";
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "23", 1); // ms per 1024-frame buffer: about real time
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO), 0);
        screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, 32, SDL_DOUBLEBUF);
        loadGameWorld();
        loadTheme();
        startSound(AT_FDCWD);
        screenState = SCREEN_MATCH;
        matchSlide = 1; // paddles in place: the left one's face at x 87, middle y 240
        player1IsHuman = player2IsHuman = true;
        SDL_WarpMouse(100, 300);
    }

    void TearDown() override {
        SDL_CloseAudio();
        std::filesystem::remove_all(file.substr(0, file.rfind('/')));
    }

    // Frames recorded so far, and the samples (left, right interleaved).
    size_t recorded() const {
        std::ifstream in(file, std::ios::binary | std::ios::ate);
        return in ? size_t(in.tellg()) / 4 : 0;
    }
    std::vector<int16_t> samples() const {
        std::ifstream in(file, std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(in), {}};
        std::vector<int16_t> s(bytes.size() / 4 * 2);
        std::memcpy(s.data(), bytes.data(), s.size() * 2);
        return s;
    }
    template <typename Done> void await(Done done, const char* what) {
        for (auto end = Clock::now() + std::chrono::seconds(10); !done();
             std::this_thread::sleep_for(std::chrono::milliseconds(5)))
            if (Clock::now() > end)
                return ADD_FAILURE() << what;
    }
    // The first audible frame at or after `from`, once recorded.
    size_t onsetFrom(size_t from) {
        size_t onset = 0;
        await(
            [&] {
                const std::vector<int16_t> s = samples();
                for (size_t i = 2 * from; i < s.size(); i++)
                    if (std::abs(s[i]) > AUDIBLE)
                        return onset = i / 2, true;
                return false;
            },
            "no sound was recorded");
        return onset;
    }
    // Waits until the last sound has ended and the recording has moved past it.
    void settle() {
        await(mixerIsIdle, "the sound does not end");
        const size_t quiet = recorded() + SLACK;
        await([&] { return recorded() > quiet; }, "the recording stops");
    }
    // Runs one frame after `setUp` and checks that what it played starts in
    // the recording no sooner than that frame and within SLACK of it; gives
    // its first `frames` frames.
    Stretch heardFromOneFrame(size_t frames, const std::function<void()>& setUp) {
        settle();
        removeAllBalls();
        setUp();
        const size_t before = recorded();
        runFrame();
        const size_t after = recorded();
        const size_t onset = onsetFrom(before);
        EXPECT_LE(onset, after + SLACK) << "heard too late";
        await([&] { return recorded() > onset + frames; }, "the recording stops");
        const std::vector<int16_t> s = samples();
        Stretch stretch;
        for (size_t i = onset; i < onset + frames; i++) {
            stretch.left += double(s[2 * i]) * s[2 * i];
            stretch.right += double(s[2 * i + 1]) * s[2 * i + 1];
            stretch.crossings +=
                i > onset && (s[2 * i] + s[2 * i + 1] < 0) != (s[2 * i - 2] + s[2 * i - 1] < 0);
        }
        return stretch;
    }
};

} // namespace

// A wall hit at the left, a paddle hit at serve speed plus a little and one
// far faster, and a goal on the right: each is heard from the frame that made
// it, the wall hit louder on the left and lower than the paddle, the faster
// paddle hit higher, the goal on the right. (A button's click is heard in the
// overlay's test, alone when a save fails.)
TEST_F(Recording, HitsAndGoalsAreHeardFromTheirFramesPitchedAndPanned) {
    constexpr size_t TONE = 1300; // 30 ms
    const Stretch wall = heardFromOneFrame(TONE, [] { addBall(100, 74, 0, -4); });
    const Stretch slow = heardFromOneFrame(TONE, [] { addBall(112, 240, -4, 0); });
    const Stretch fast = heardFromOneFrame(TONE, [] { addBall(112, 240, -4, 0).speed = 12; });
    const Stretch goal = heardFromOneFrame(TONE, [] { addBall(598, 240, 4, 0); });

    EXPECT_GT(wall.left, 2 * wall.right);
    EXPECT_GT(goal.right, 2 * goal.left);
    EXPECT_LT(wall.crossings, slow.crossings);
    // 2 and 16 semitones up: 2.2 times the frequency.
    EXPECT_GT(fast.crossings, 1.8 * slow.crossings);
    EXPECT_LT(fast.crossings, 2.6 * slow.crossings);
}

// Escape sweeps up, and again down: the rising sweep starts lower. A saved
// screenshot sounds its shutter over the button's click; one that cannot be
// written (its folder is gone) only clicks.
TEST_F(Recording, TheOverlaySweepsUpAndDownAndOnlyASavedScreenshotSoundsItsShutter) {
    constexpr size_t START = 4000, SHUTTER = 6600; // 90 ms, 150 ms
    const Stretch up = heardFromOneFrame(START, [] { tapKey(SDLK_ESCAPE); });
    while (overlayAmount != OVERLAY_FULL)
        runFrame();
    const auto save = [] { clickAt(320, 215); }; // "Save BMP screenshot"
    ASSERT_EQ(chdir(file.substr(0, file.rfind('/')).c_str()), 0);
    const Stretch saved = heardFromOneFrame(SHUTTER, save);
    ASSERT_TRUE(mkdir("gone", 0755) == 0 && chdir("gone") == 0 && rmdir("../gone") == 0);
    const Stretch failed = heardFromOneFrame(SHUTTER, save);
    const Stretch down = heardFromOneFrame(START, [] { tapKey(SDLK_ESCAPE); });

    EXPECT_LT(up.crossings, 0.8 * down.crossings);
    EXPECT_GT(saved.left, 3 * failed.left);
}

// m in one frame cuts what sounds and silences the next frame's hits; after
// a second press the next hit is heard again. The device plays only while
// something sounds.
TEST_F(Recording, MSilencesEverythingFromTheNextFrameUntilPressedAgain) {
    EXPECT_EQ(SDL_GetAudioStatus(), SDL_AUDIO_PAUSED);
    heardFromOneFrame(1, [] { addBall(598, 240, 4, 0); }); // the second-long goal chime
    EXPECT_EQ(SDL_GetAudioStatus(), SDL_AUDIO_PLAYING);
    tapKey(SDLK_m);
    runFrame();
    const size_t muted = recorded() + SLACK + SOUND_RATE / 100; // a fade of 10 ms at most
    removeAllBalls();
    addBall(100, 74, 0, -4);
    runFrame(); // a wall hit, muted
    await([&] { return recorded() > muted + SOUND_RATE / 2; }, "the recording stops");
    const std::vector<int16_t> s = samples();
    EXPECT_EQ(std::count_if(s.begin() + 2 * muted, s.end(), [](int16_t v) { return v != 0; }), 0);

    tapKey(SDLK_m);
    runFrame();
    EXPECT_GT(heardFromOneFrame(100, [] { addBall(100, 74, 0, -4); }).left, 0);
    settle();
    runFrame();
    EXPECT_EQ(SDL_GetAudioStatus(), SDL_AUDIO_PAUSED);
}

// 2000 balls meet the left paddle in one frame at 25 speeds: 16 voices of
// different pitches start together, several times full scale in sum. The
// limiter keeps them under its ceiling, with no sample wrapped round (a jump
// across the range) and none clipped at full scale.
TEST_F(Recording, TwoThousandHitsInOneFrameStayUnderFullScaleWithoutWrapping) {
    heardFromOneFrame(0, [] {
        for (int i = 0; i < MAX_BALLS; i++)
            addBall(112, 240, -4, 0).speed = 5 + 0.5 * (i % 25);
    });
    const std::vector<int16_t> s = samples();
    int loudest = 0, steepest = 0;
    for (size_t i = 2; i < s.size(); i++) {
        loudest = std::max(loudest, std::abs(int(s[i])));
        steepest = std::max(steepest, std::abs(s[i] - s[i - 2]));
    }
    EXPECT_GT(loudest, 20000) << "the crowd should be loud";
    EXPECT_LE(loudest, 30001);
    EXPECT_LT(steepest, 20000);
}

// The mark shows from the frame after m, over the match, until m again; it
// is never in the frame the overlay freezes (which a screenshot saves).
TEST_F(Recording, TheMuteMarkShowsWhileMutedButIsNeverFrozen) {
    const auto mark = [] { return pixelAt(screen, MUTE_MARK_CENTRE_X, MUTE_MARK_CENTRE_Y); };
    runFrame();
    const Rgb bare = mark();
    for (bool muted : {true, false, true}) {
        tapKey(SDLK_m);
        runFrame();
        runFrame();
        EXPECT_EQ(mark() != bare, muted);
    }
    tapKey(SDLK_ESCAPE);
    runFrame();
    EXPECT_EQ(pixelAt(snapshotSurface, MUTE_MARK_CENTRE_X, MUTE_MARK_CENTRE_Y), bare);
    EXPECT_NE(mark(), bare) << "gone over the overlay";
}

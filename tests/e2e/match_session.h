// Game-level steps shared by the match and overlay scenarios: the composed
// empty field to compare against, starting a single-player match and waiting
// for it to slide in, and finding the ball and the left paddle on a grab.
#pragma once

#include "harness.h"

// The places the checks look at, in window pixels.
// Between the paddles, inside the walls, below the score backings (whose
// pictures reach into the field with faint edges).
constexpr Box MIDDLE_FIELD{100, 104, 540, 430};
constexpr Box LEFT_PADDLE_HOME{65, 204, 87, 276}; // the left paddle at rest, fully in
constexpr Box LEFT_BACKING{0, 75, 200, 103};      // the left score backing, fully in
// The backings' parts clear of the score digits.
constexpr Box LEFT_BACKING_PLAIN{60, 75, 200, 103};
constexpr Box RIGHT_BACKING_PLAIN{440, 75, 585, 103};
constexpr Box RIGHT_PADDLE_LANE{545, 50, 585, 430}; // wherever the computer paddle goes

// The start-up picture comparisons allow for the game's alpha rounding.
constexpr int BLEND_TOLERANCE = 3;

// Where a run of rows of the left paddle starts and ends (end exclusive).
struct Span {
    int top = 0, bottom = 0;
    int length() const { return bottom - top; }
};

class MatchSession : public GameSession {
  protected:
    void SetUp() override;

    // Called by tests that need the artwork: true when Media/Game is there.
    bool haveMedia() const { return !field.empty(); }

    // Clicks "single player", parks the pointer on the top wall and waits
    // until the paddles and backings have slid all the way in and stand still.
    void startSinglePlayer();

    // The box the ball covers in the middle of the field, empty box if none.
    Box ballBox(const Frame& frame) const;
    // True when ballBox holds one whole ball, not cut by the field's edges.
    static bool wholeBall(Box box);

    // The longest run of rows in which the left paddle's body covers its columns.
    Span leftPaddleSpan(const Frame& frame) const;

    // Grabs pairs delayMs apart until the middle field changes between them.
    bool fieldMoves(int delayMs, int timeoutMs);

    Frame field;         // background.png under border.png, the bare field
    Frame backingsField; // the same with both score backings fully in
};

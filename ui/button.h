// The immediate-mode themed button: called every frame with its place and
// label, it draws itself and reports a click in the frame of the press.
#pragma once

struct ButtonState {
    bool hovered; // pointer within the interior grown by 13 pixels
    bool clicked; // hovered, and the left button went down this frame
};

// The decision alone, from the interior rectangle and the input snapshot.
ButtonState buttonBehavior(int left, int top, int width, int height);

// Draws the button centred on (centreX, centreY) and returns true when it was
// clicked this frame. Called by the title menu, the match controls and the
// overlay menu, after updateInput.
bool button(int centreX, int centreY, int width, int height, const char* label);

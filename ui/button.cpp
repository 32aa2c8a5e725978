// The immediate-mode button: decide hover and click from the snapshot, then
// draw the panel and the centred label.
#include "ui/button.h"

#include "audio/sound.h"
#include "input/input.h"
#include "ui/panel.h"
#include "ui/text.h"

// The hot area is the interior grown by this much on every side: the outer
// 8 pixels of the 21-pixel frame do not count.
constexpr int HOVER_MARGIN = 13;
// Label cells are 21 tall; this puts their middle on the button's centre line.
constexpr int LABEL_RAISE = 10;

ButtonState buttonBehavior(int left, int top, int width, int height) {
    ButtonState state;
    state.hovered = mouseX > left - HOVER_MARGIN - 1 && mouseY > top - HOVER_MARGIN - 1 &&
                    mouseX < left + width + HOVER_MARGIN && mouseY < top + height + HOVER_MARGIN;
    state.clicked = state.hovered && wasPressed(mouseButtonStates[SDL_BUTTON_LEFT]);
    return state;
}

bool button(int centreX, int centreY, int width, int height, const char* label) {
    const int left = centreX - width / 2;
    const int top = centreY - height / 2;
    const ButtonState state = buttonBehavior(left, top, width, height);

    // Draw
    drawPanel(left, top, width, height, state.hovered);
    drawText(centreX, centreY - LABEL_RAISE, label, TEXT_ALIGN_CENTER);
    if (state.clicked)
        playSound(SOUND_CLICK, panForX(centreX));
    return state.clicked;
}

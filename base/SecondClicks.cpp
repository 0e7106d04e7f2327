#include "base/SecondClicks.h"

#include "base/KeyCodes.h"

#include <cstdlib>

namespace {

bool isButtonPress(const InputEvent& event) {
    return event.kind == InputEvent::Kind::MouseButton && event.button != MOUSE_WHEEL_UP &&
           event.button != MOUSE_WHEEL_DOWN;
}

} // namespace

void SecondClicks::screenShown(int queuedPresses) {
    screenSinceLastPress = true;
    queuedPressesToDrop = queuedPresses;
}

bool SecondClicks::admit(const InputEvent& event, std::uint32_t nowMs) {
    if (!isButtonPress(event))
        return true;
    const bool queuedBehindScreen = queuedPressesToDrop > 0;
    if (queuedBehindScreen)
        --queuedPressesToDrop;
    const bool samePlace =
        warpedSinceLastPress ||
        (lastPress && std::abs(event.x - lastPress->x) <= DOUBLE_CLICK_DISTANCE &&
         std::abs(event.y - lastPress->y) <= DOUBLE_CLICK_DISTANCE);
    // The clock is SDL's millisecond count, which wraps after 49 days: the unsigned
    // difference stays right across the wrap.
    const bool secondOfDoubleClick = lastPress && screenSinceLastPress && samePlace &&
                                     lastPress->button == event.button &&
                                     nowMs - lastPress->atMs <= DOUBLE_CLICK_MS;
    // A dropped press still counts as the last one: a third click as quick as the second is
    // an ordinary click on the new screen.
    lastPress = Press{event.button, event.x, event.y, nowMs};
    screenSinceLastPress = false;
    warpedSinceLastPress = false;
    return !queuedBehindScreen && !secondOfDoubleClick;
}

void SecondClicks::pointerWarped() {
    warpedSinceLastPress = true;
}

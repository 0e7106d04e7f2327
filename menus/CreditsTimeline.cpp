#include "menus/CreditsTimeline.h"

#include "base/InputDevice.h"
#include "base/KeyCodes.h"

bool endsCredits(const InputEvent& event) {
    if (event.kind == InputEvent::Kind::KeyPress)
        return event.key == KEY_ESCAPE || event.key == KEY_RETURN || event.key == KEY_SPACE;
    if (event.kind == InputEvent::Kind::MouseButton)
        return event.button == MOUSE_LEFT || event.button == MOUSE_RIGHT;
    return false;
}

std::uint32_t CreditsTimeline::scheduleFrame(std::uint32_t nowMs) {
    frameMs = nowMs;
    nextMs += FRAME_PERIOD_MS;
    const std::uint32_t sleepMs = nextMs > nowMs ? nextMs - nowMs : 0;
    if (nextMs + CATCH_UP_LIMIT_MS < nowMs)
        nextMs = nowMs;
    return sleepMs;
}

void CreditsTimeline::advance() {
    const std::uint32_t elapsedMs = frameMs - lastMs;
    lastMs = frameMs;
    scroll_ = static_cast<float>(scroll_ + elapsedMs * SCROLL_PER_MS);
}

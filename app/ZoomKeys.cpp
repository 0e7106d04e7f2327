#include "app/ZoomKeys.h"

#include <algorithm>

namespace {

float stepDistance(float distance, double change, float nearest) {
    return static_cast<float>(std::max(distance + change, static_cast<double>(nearest)));
}

} // namespace

// A press arriving while the key counts as held (a repeat) starts its delay afresh.
void ZoomKeys::press(Direction direction, std::int32_t tickMs, float nearest, float& distance) {
    Key& key = keys[static_cast<int>(direction)];
    key.held = true;
    key.runsFromMs = tickMs + HOLD_DELAY_MS;
    const double step = direction == Direction::Away ? DISTANCE_STEP : -DISTANCE_STEP;
    distance = stepDistance(distance, step, nearest);
}

void ZoomKeys::release(Direction direction) {
    keys[static_cast<int>(direction)].held = false;
}

void ZoomKeys::releaseAll() {
    for (Key& key : keys)
        key.held = false;
}

void ZoomKeys::update(std::int32_t tickMs, float nearest, float& distance) {
    const std::int32_t fromMs = lastTickMs;
    lastTickMs = tickMs;
    for (int i = 0; i < 2; ++i) {
        const Key& key = keys[i];
        const std::int32_t ms = tickMs - std::max(fromMs, key.runsFromMs);
        if (!key.held || ms <= 0)
            continue;
        const double change = HELD_RATE * ms / 1000.0;
        distance = stepDistance(distance, i == 0 ? change : -change, nearest);
    }
}

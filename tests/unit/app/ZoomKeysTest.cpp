#include "app/ZoomKeys.h"

#include <gtest/gtest.h>

using Direction = ZoomKeys::Direction;

TEST(ZoomKeys, APressStepsOnceAndAKeyHeldPastItsDelayZoomsOnAtItsRate) {
    ZoomKeys keys;
    float distance = 5.0f;
    keys.update(1000, 1.0f, distance);
    // A tap: one step, however the frames fall.
    keys.press(Direction::Away, 1000, 1.0f, distance);
    keys.update(1010, 1.0f, distance);
    keys.release(Direction::Away);
    keys.update(1500, 1.0f, distance);
    EXPECT_FLOAT_EQ(distance, 5.2f);

    // Held: nothing more until the delay is up, then the rate, frame by frame.
    keys.press(Direction::Away, 2000, 1.0f, distance);
    keys.update(2000 + ZoomKeys::HOLD_DELAY_MS, 1.0f, distance);
    EXPECT_FLOAT_EQ(distance, 5.4f);
    for (int tick = 2260; tick <= 3250; tick += 10)
        keys.update(tick, 1.0f, distance);
    EXPECT_NEAR(distance, 5.4f + ZoomKeys::HELD_RATE, 1e-3f);
    keys.releaseAll();
    keys.update(4000, 1.0f, distance);
    EXPECT_NEAR(distance, 25.4f, 1e-3f);

    // Nearer stops at the nearest distance, held or pressed.
    keys.press(Direction::Nearer, 5000, 1.0f, distance);
    keys.update(8000, 1.0f, distance);
    EXPECT_EQ(distance, 1.0f);
    keys.press(Direction::Nearer, 8000, 1.0f, distance);
    EXPECT_EQ(distance, 1.0f);
}

#include "base/KeyCodes.h"
#include "base/SecondClicks.h"

#include <gtest/gtest.h>

namespace {

InputEvent press(int button, int x = 100, int y = 100) {
    InputEvent event;
    event.kind = InputEvent::Kind::MouseButton;
    event.button = button;
    event.x = x;
    event.y = y;
    return event;
}

} // namespace

// One player's clicks across screens: only the second half of a double click that opened a
// screen is dropped; clicks on one screen, slow clicks, another button and the wheel pass.
TEST(SecondClicksTest, DropsOnlyTheSecondClickOfADoubleClickThatOpenedAScreen) {
    SecondClicks clicks;
    EXPECT_TRUE(clicks.admit(press(MOUSE_LEFT), 1000));
    clicks.screenShown(0);
    EXPECT_FALSE(
        clicks.admit(press(MOUSE_LEFT, 100 + DOUBLE_CLICK_DISTANCE, 95), 1000 + DOUBLE_CLICK_MS));
    // A third click as quick is an ordinary click on the screen that opened.
    EXPECT_TRUE(clicks.admit(press(MOUSE_LEFT), 1000 + DOUBLE_CLICK_MS + 100));

    // Two clicks on one screen (twice Right on an options value) both act.
    EXPECT_TRUE(clicks.admit(press(MOUSE_LEFT), 5000));
    EXPECT_TRUE(clicks.admit(press(MOUSE_LEFT), 5100));

    // A quick click elsewhere, a click after the double click's time, and another button act
    // on the new screen.
    const int away = 100 + DOUBLE_CLICK_DISTANCE + 1;
    clicks.screenShown(0);
    EXPECT_TRUE(clicks.admit(press(MOUSE_LEFT, 100, away), 5200));
    clicks.screenShown(0);
    EXPECT_TRUE(clicks.admit(press(MOUSE_LEFT, 100, away), 5200 + DOUBLE_CLICK_MS + 1));
    clicks.screenShown(0);
    EXPECT_TRUE(clicks.admit(press(MOUSE_RIGHT), 5700));
    // The wheel opens nothing: its steps pass and leave the last click as it was.
    clicks.screenShown(0);
    EXPECT_TRUE(clicks.admit(press(MOUSE_WHEEL_DOWN), 5750));
    EXPECT_FALSE(clicks.admit(press(MOUSE_RIGHT), 5800));
    InputEvent motion;
    motion.kind = InputEvent::Kind::MouseMotion;
    EXPECT_TRUE(clicks.admit(motion, 5800));

    // Play parks the pointer at the window's centre: a quick press there is still the
    // second of the double click that started the board.
    EXPECT_TRUE(clicks.admit(press(MOUSE_LEFT, 100, 100), 8000));
    clicks.screenShown(0);
    clicks.pointerWarped();
    EXPECT_FALSE(clicks.admit(press(MOUSE_LEFT, 320, 240), 8100));

    // Across the wrap of the millisecond clock.
    EXPECT_TRUE(clicks.admit(press(MOUSE_LEFT), 0xFFFFFF00u));
    clicks.screenShown(0);
    EXPECT_FALSE(clicks.admit(press(MOUSE_LEFT), 0x40u));
}

// A screen slow to show (a large maze) leaves presses queued behind it: they were meant for the
// screen before, however late they are taken, and only they are dropped.
TEST(SecondClicksTest, DropsThePressesQueuedBehindANewScreen) {
    SecondClicks clicks;
    EXPECT_TRUE(clicks.admit(press(MOUSE_LEFT), 1000));
    clicks.screenShown(2);
    EXPECT_FALSE(clicks.admit(press(MOUSE_LEFT), 3000));
    EXPECT_FALSE(clicks.admit(press(MOUSE_RIGHT), 3001));
    EXPECT_TRUE(clicks.admit(press(MOUSE_LEFT), 3100 + DOUBLE_CLICK_MS));
}

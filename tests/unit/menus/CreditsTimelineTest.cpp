#include "menus/CreditsTimeline.h"

#include "base/InputDevice.h"
#include "base/KeyCodes.h"

#include <gtest/gtest.h>

TEST(CreditsTimeline, RisesFromBelowTheScreenToAboveItInSevenPointSixSeconds) {
    CreditsTimeline credits(1000);
    std::uint32_t now = 1000;
    int frames = 0;
    while (credits.isRunning()) {
        now += credits.scheduleFrame(now);
        credits.advance();
        ++frames;
        ASSERT_LT(frames, 1000);
    }
    // The first frame moves nothing; each later one 20 ms of 0.01 units.
    EXPECT_NEAR(frames, 382, 1);
    EXPECT_NEAR(now - 1000, 7620u, 20u);
}

TEST(CreditsTimeline, FramesAreTwentyMillisecondsApart) {
    CreditsTimeline credits(0);
    EXPECT_EQ(credits.scheduleFrame(0), 20u);
    EXPECT_EQ(credits.scheduleFrame(25), 15u) << "a late frame shortens the next sleep";
    EXPECT_EQ(credits.scheduleFrame(70), 0u) << "behind schedule: no sleep";
}

TEST(CreditsTimeline, AStallMovesTheTextByTheWholeStallThenPacingRestarts) {
    CreditsTimeline credits(0);
    credits.scheduleFrame(0);
    credits.advance();
    credits.scheduleFrame(20);
    credits.advance();
    const float before = credits.scroll();
    // The window was dragged for a second.
    EXPECT_EQ(credits.scheduleFrame(1020), 0u);
    credits.advance();
    EXPECT_NEAR(credits.scroll() - before, 0.5f, 1e-5f);
    EXPECT_EQ(credits.scheduleFrame(1020), 20u) << "no catching up on the frames missed";
    EXPECT_EQ(credits.scheduleFrame(1040), 20u);
}

TEST(CreditsTimeline, AShortDelayIsCaughtUp) {
    CreditsTimeline credits(0);
    credits.scheduleFrame(0);
    // 150 ms late: within the limit, so the next slots follow the old schedule.
    EXPECT_EQ(credits.scheduleFrame(170), 0u);
    EXPECT_EQ(credits.scheduleFrame(170), 0u);
}

TEST(CreditsTimeline, EscapeReturnSpaceAndTheLeftOrRightButtonEndTheCredits) {
    InputEvent event;
    event.kind = InputEvent::Kind::KeyPress;
    for (int key : {KEY_ESCAPE, KEY_RETURN, KEY_SPACE})
        EXPECT_TRUE(endsCredits((event.key = key, event))) << key;
    for (int key : {KEY_DOWN, KEY_A, KEY_BACKSPACE})
        EXPECT_FALSE(endsCredits((event.key = key, event))) << key;
    event.kind = InputEvent::Kind::MouseButton;
    for (int button : {MOUSE_LEFT, MOUSE_RIGHT})
        EXPECT_TRUE(endsCredits((event.button = button, event))) << button;
    for (int button : {MOUSE_MIDDLE, MOUSE_WHEEL_UP, MOUSE_WHEEL_DOWN})
        EXPECT_FALSE(endsCredits((event.button = button, event))) << button;
    event.kind = InputEvent::Kind::KeyRelease;
    event.key = KEY_ESCAPE;
    EXPECT_FALSE(endsCredits(event));
}

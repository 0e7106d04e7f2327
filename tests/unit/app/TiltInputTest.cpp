#include "app/TiltInput.h"

#include "base/KeyCodes.h"
#include "game/Ball.h"
#include "tests/unit/base/ScriptedInputDevice.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

struct TiltRig {
    ScriptedInputDevice device;
    Ball ball{[] { return 0; }};
    float followDistance = 5.0f;
    WindowCentre centre;

    TiltInput create() { return TiltInput(device, ball, followDistance, centre); }
};

TEST(TiltInput, WithoutAccelerometerSteersWithTheMouseAndWarns) {
    TiltRig rig;
    rig.device.joystickNames = {"Logitech Gamepad"};
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    TiltInput input = rig.create();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Warning: Failed loading aps joystick!\n");
    EXPECT_TRUE(input.isMouseMode());
    EXPECT_FALSE(input.hasAccelerometer());
    EXPECT_EQ(rig.device.openedJoystick, -1);
    EXPECT_FLOAT_EQ(input.mouseSensitivity(), 1.0f);
    EXPECT_FLOAT_EQ(input.joystickSensitivity(), 1.0f);
}

TEST(TiltInput, OnlyAJoystickNamedExactlyHdapsIsTheAccelerometer) {
    TiltRig rig;
    rig.device.joystickNames = {"hdaps2", "HDAPS", "hdap", " hdaps", "hdaps", "hdaps"};
    rig.device.axes[0] = 2000;
    rig.device.axes[1] = -20000;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    TiltInput input = rig.create();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Loading aps joystick js4\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(rig.device.openedJoystick, 4);
    EXPECT_FALSE(input.isMouseMode());
    EXPECT_TRUE(rig.device.joystickEventsOn);
    // The board starts as the laptop is held: 2000 * 0.05 and a clamped -1000.
    EXPECT_FLOAT_EQ(rig.ball.tiltX, 100.0f);
    EXPECT_FLOAT_EQ(rig.ball.tiltY, -600.0f);
}

TEST(TiltInput, AnAccelerometerThatWillNotOpenFallsBackToTheMouse) {
    TiltRig rig;
    rig.device.joystickNames = {"hdaps"};
    rig.device.openSucceeds = false;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    TiltInput input = rig.create();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Loading aps joystick js0\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Warning: Failed loading aps joystick!\n");
    EXPECT_TRUE(input.isMouseMode());
    EXPECT_FALSE(rig.device.joystickEventsOn);
}

TEST(TiltInput, MouseOffsetIsHeldAtTheLimitSoMovingBackLevelsAtOnce) {
    TiltRig rig;
    testing::internal::CaptureStderr();
    TiltInput input = rig.create();
    testing::internal::GetCapturedStderr();
    input.reset();
    EXPECT_FALSE(rig.device.cursorShown);
    ASSERT_EQ(rig.device.warps.back(), std::make_pair(320, 240));

    rig.device.movePointer(520, 240);
    EXPECT_EQ(input.poll(0), PlayKeyCommand::None);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, -400.0f);
    EXPECT_FLOAT_EQ(rig.ball.tiltY, 0.0f);

    rig.device.movePointer(520, 240);
    input.poll(0);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, -600.0f);

    rig.device.movePointer(20, 240);
    input.poll(0);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, 0.0f);
    EXPECT_EQ(rig.device.warps.size(), 4u);
    EXPECT_EQ(rig.device.warps.back(), std::make_pair(320, 240));
}

TEST(TiltInput, MouseMovesDownTiltNegativelyWithTheSensitivity) {
    TiltRig rig;
    testing::internal::CaptureStderr();
    TiltInput input = rig.create();
    testing::internal::GetCapturedStderr();
    input.setMouseSensitivity(0.5f);
    input.reset();
    rig.device.movePointer(310, 340);
    input.poll(0);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, 10.0f);
    EXPECT_FLOAT_EQ(rig.ball.tiltY, -100.0f);
}

TEST(TiltInput, TheEchoOfItsOwnWarpIsIgnored) {
    TiltRig rig;
    testing::internal::CaptureStderr();
    TiltInput input = rig.create();
    testing::internal::GetCapturedStderr();
    input.reset();
    rig.device.movePointer(400, 240);
    rig.device.movePointer(320, 240);
    input.poll(0);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, -160.0f);
    // One warp from the reset, one from the real move, none from the echo.
    EXPECT_EQ(rig.device.warps.size(), 2u);
}

TEST(TiltInput, TheCentreFollowsTheWindowAndItsResize) {
    TiltRig rig;
    rig.device.width = 1025;
    rig.device.height = 767;
    testing::internal::CaptureStderr();
    TiltInput input = rig.create();
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(rig.centre.x, 320);
    input.poll(0);
    EXPECT_EQ(rig.centre.x, 512);
    EXPECT_EQ(rig.centre.y, 383);

    rig.device.send(InputEvent::Kind::Resize, 800, 601);
    rig.device.movePointer(410, 300);
    input.poll(0);
    EXPECT_EQ(rig.device.reopenCount, 1);
    EXPECT_EQ(rig.centre.x, 400);
    EXPECT_EQ(rig.centre.y, 300);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, -20.0f);
    EXPECT_EQ(rig.device.warps.back(), std::make_pair(400, 300));
}

TEST(TiltInput, JoystickAxesAreScaledBySensitivityAndClamped) {
    TiltRig rig;
    rig.device.joystickNames = {"hdaps"};
    testing::internal::CaptureStdout();
    TiltInput input = rig.create();
    testing::internal::GetCapturedStdout();
    input.setJoystickSensitivity(2.0f);

    rig.device.moveAxis(0, 1000);
    rig.device.moveAxis(1, -3000);
    input.poll(0);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, 100.0f);
    EXPECT_FLOAT_EQ(rig.ball.tiltY, -300.0f);

    // Any axis other than 0 steers the rows; a full deflection is held at the limit.
    rig.device.moveAxis(2, 32767);
    rig.device.moveAxis(0, -32768);
    input.poll(0);
    EXPECT_FLOAT_EQ(rig.ball.tiltY, 600.0f);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, -600.0f);

    // Mouse motion does nothing while the accelerometer steers.
    rig.device.movePointer(0, 0);
    input.poll(0);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, -600.0f);
    EXPECT_TRUE(rig.device.warps.empty());
}

TEST(TiltInput, ResetTakesTheAccelerometerWithoutSensitivityOrLevelsForTheMouse) {
    TiltRig rig;
    rig.device.joystickNames = {"hdaps"};
    testing::internal::CaptureStdout();
    TiltInput input = rig.create();
    testing::internal::GetCapturedStdout();
    input.setJoystickSensitivity(3.0f);
    rig.device.axes[0] = -400;
    rig.device.axes[1] = 600;
    input.reset();
    EXPECT_FLOAT_EQ(rig.ball.tiltX, -20.0f);
    EXPECT_FLOAT_EQ(rig.ball.tiltY, 30.0f);
    EXPECT_TRUE(rig.device.warps.empty());

    rig.device.clickButton();
    input.poll(0);
    EXPECT_TRUE(input.isMouseMode());
    input.reset();
    EXPECT_FLOAT_EQ(rig.ball.tiltX, 0.0f);
    EXPECT_FLOAT_EQ(rig.ball.tiltY, 0.0f);
}

TEST(TiltInput, AClickTogglesMouseModeAndTheCursorOnlyWithoutAccelerometer) {
    TiltRig rig;
    testing::internal::CaptureStderr();
    TiltInput input = rig.create();
    testing::internal::GetCapturedStderr();
    input.reset();
    rig.device.movePointer(420, 240);
    input.poll(0);
    ASSERT_FLOAT_EQ(rig.ball.tiltX, -200.0f);

    rig.device.clickButton();
    input.poll(0);
    EXPECT_FALSE(input.isMouseMode());
    EXPECT_TRUE(rig.device.cursorShown);
    // Off: the tilt stays where it was and motion is ignored.
    rig.device.movePointer(100, 100);
    input.poll(0);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, -200.0f);

    // On again: the offset restarts from the centre.
    rig.device.clickButton();
    rig.device.movePointer(330, 240);
    input.poll(0);
    EXPECT_TRUE(input.isMouseMode());
    EXPECT_FALSE(rig.device.cursorShown);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, -20.0f);
}

TEST(TiltInput, WithAccelerometerAClickLeavesTheCursorHidden) {
    TiltRig rig;
    rig.device.joystickNames = {"hdaps"};
    testing::internal::CaptureStdout();
    TiltInput input = rig.create();
    testing::internal::GetCapturedStdout();
    input.reset();
    rig.device.clickButton();
    input.poll(0);
    EXPECT_TRUE(input.isMouseMode());
    EXPECT_EQ(rig.device.warps.size(), 1u);
    rig.device.clickButton();
    input.poll(0);
    EXPECT_FALSE(input.isMouseMode());
    EXPECT_FALSE(rig.device.cursorShown);
}

TEST(TiltInput, TheLastCommandKeyOfAPollWins) {
    TiltRig rig;
    testing::internal::CaptureStderr();
    TiltInput input = rig.create();
    testing::internal::GetCapturedStderr();
    rig.device.pressKey(KEY_ESCAPE);
    rig.device.pressKey(KEY_R);
    EXPECT_EQ(input.poll(0), PlayKeyCommand::Reset);
    rig.device.pressKey(KEY_SPACE);
    rig.device.pressKey('x');
    EXPECT_EQ(input.poll(0), PlayKeyCommand::Pause);
    rig.device.pressKey(KEY_ESCAPE);
    EXPECT_EQ(input.poll(0), PlayKeyCommand::Quit);
    EXPECT_EQ(input.poll(0), PlayKeyCommand::None);
}

// Nearer than the bound, the tilted board reaches the near clipping plane and all goes black.
TEST(TiltInput, FollowDistanceStopsAtItsLowerBoundAndRisesAgainInSteps) {
    TiltRig rig;
    testing::internal::CaptureStderr();
    TiltInput input = rig.create();
    testing::internal::GetCapturedStderr();
    for (int i = 0; i < 30; ++i)
        rig.device.pressKey(KEY_S);
    EXPECT_EQ(input.poll(0), PlayKeyCommand::None);
    EXPECT_EQ(rig.followDistance, TiltInput::MIN_FOLLOW_DISTANCE);
    rig.device.pressKey(KEY_A);
    input.poll(0);
    EXPECT_FLOAT_EQ(rig.followDistance, 1.2f);
    rig.device.pressKey(KEY_A);
    input.poll(0);
    EXPECT_FLOAT_EQ(rig.followDistance, 1.4f);
}

TEST(TiltInput, AnArrowHeldRampsToTheLimitAndItsReleaseLevelsTheBoard) {
    TiltRig rig;
    testing::internal::CaptureStderr();
    TiltInput input = rig.create();
    testing::internal::GetCapturedStderr();
    input.reset();
    input.poll(1000);
    // Right and Down roll the ball the way they point: towards larger columns and rows.
    rig.device.pressKeys({KEY_RIGHT, KEY_DOWN});
    EXPECT_EQ(input.poll(1000), PlayKeyCommand::None);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, 0.0f);
    input.poll(1250);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, 300.0f);
    EXPECT_FLOAT_EQ(rig.ball.tiltY, 300.0f);
    input.poll(1500);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, 600.0f);
    input.poll(1900);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, 600.0f);
    // A release takes a quarter second back to level; a key that is no arrow changes nothing.
    rig.device.releaseKey(KEY_RIGHT);
    rig.device.releaseKey('x');
    input.poll(2025);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, 300.0f);
    EXPECT_FLOAT_EQ(rig.ball.tiltY, 600.0f);
    input.poll(2150);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, 0.0f);
    // Up against a held Down passes level at the release's pace, then leans the other way.
    rig.device.releaseKey(KEY_DOWN);
    rig.device.pressKey(KEY_UP);
    input.poll(2400);
    EXPECT_FLOAT_EQ(rig.ball.tiltY, -0.0f);
    input.poll(2525);
    EXPECT_FLOAT_EQ(rig.ball.tiltY, -150.0f);
    // Both arrows of an axis cancel out.
    rig.device.pressKey(KEY_DOWN);
    input.poll(2650);
    EXPECT_FLOAT_EQ(rig.ball.tiltY, 0.0f);
}

TEST(TiltInput, ArrowsAddToTheMouseWithinTheLimitAndLeaveUntouchedAxesAlone) {
    TiltRig rig;
    testing::internal::CaptureStderr();
    TiltInput input = rig.create();
    testing::internal::GetCapturedStderr();
    input.reset();
    rig.device.movePointer(420, 200); // 100 right, 40 up: -200 and 80
    input.poll(0);
    rig.device.pressKey(KEY_LEFT);
    input.poll(0);
    input.poll(250);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, -500.0f);
    EXPECT_FLOAT_EQ(rig.ball.tiltY, 80.0f);
    input.poll(500);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, -600.0f);
    // The mouse still moves its own share: back to the centre leaves the arrow's -600.
    rig.device.movePointer(220, 280);
    input.poll(500);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, -600.0f);
    EXPECT_FLOAT_EQ(rig.ball.tiltY, 0.0f);

    // With the accelerometer steering, an arrow along x never rewrites y.
    TiltRig laptop;
    laptop.device.joystickNames = {"hdaps"};
    laptop.device.axes[1] = 4000;
    testing::internal::CaptureStdout();
    TiltInput tilted = laptop.create();
    testing::internal::GetCapturedStdout();
    laptop.ball.tiltY = 0.0f; // as a board's start levels it
    laptop.device.pressKey(KEY_RIGHT);
    tilted.poll(0);
    tilted.poll(100);
    EXPECT_FLOAT_EQ(laptop.ball.tiltX, 120.0f);
    EXPECT_FLOAT_EQ(laptop.ball.tiltY, 0.0f);
}

TEST(TiltInput, WithTheMouseOffTheArrowsTakeOverFromTheHeldTilt) {
    TiltRig rig;
    testing::internal::CaptureStderr();
    TiltInput input = rig.create();
    testing::internal::GetCapturedStderr();
    input.reset();
    rig.device.movePointer(470, 240);
    rig.device.clickButton();
    input.poll(0);
    ASSERT_FALSE(input.isMouseMode());
    EXPECT_FLOAT_EQ(rig.ball.tiltX, -300.0f); // held while nothing steers
    input.poll(5000);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, -300.0f);
    rig.device.pressKey(KEY_DOWN);
    input.poll(5000);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, 0.0f);
    input.poll(5250);
    EXPECT_FLOAT_EQ(rig.ball.tiltY, 300.0f);
    // A restart levels the arrows' share; the arrow still held leans the board again.
    input.reset();
    EXPECT_FLOAT_EQ(rig.ball.tiltY, 0.0f);
    input.poll(6000);
    input.poll(6125);
    EXPECT_FLOAT_EQ(rig.ball.tiltY, 150.0f);
}

TEST(TiltInput, ReleasedArrowsLevelOutAsAfterAKeyRelease) {
    TiltRig rig;
    testing::internal::CaptureStderr();
    TiltInput input = rig.create();
    testing::internal::GetCapturedStderr();
    input.reset();
    rig.device.pressKey(KEY_UP);
    input.poll(0);
    input.poll(500);
    ASSERT_FLOAT_EQ(rig.ball.tiltY, -600.0f);
    // The overlay took the key's release.
    input.releaseArrows();
    input.poll(625);
    EXPECT_FLOAT_EQ(rig.ball.tiltY, -300.0f);
    input.poll(900);
    EXPECT_FLOAT_EQ(rig.ball.tiltY, 0.0f);
}

TEST(TiltInput, APollTakesEveryPendingEventEvenThoseItDoesNotUse) {
    TiltRig rig;
    testing::internal::CaptureStderr();
    TiltInput input = rig.create();
    testing::internal::GetCapturedStderr();
    rig.device.send(InputEvent::Kind::Other);
    rig.device.send(InputEvent::Kind::Other);
    input.poll(0);
    EXPECT_TRUE(rig.device.events.empty());
}

} // namespace

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
    EXPECT_EQ(input.poll(), PlayCommand::None);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, -400.0f);
    EXPECT_FLOAT_EQ(rig.ball.tiltY, 0.0f);

    rig.device.movePointer(520, 240);
    input.poll();
    EXPECT_FLOAT_EQ(rig.ball.tiltX, -600.0f);

    rig.device.movePointer(20, 240);
    input.poll();
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
    input.poll();
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
    input.poll();
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
    input.poll();
    EXPECT_EQ(rig.centre.x, 512);
    EXPECT_EQ(rig.centre.y, 383);

    rig.device.send(InputEvent::Kind::Resize, 800, 601);
    rig.device.movePointer(410, 300);
    input.poll();
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
    input.poll();
    EXPECT_FLOAT_EQ(rig.ball.tiltX, 100.0f);
    EXPECT_FLOAT_EQ(rig.ball.tiltY, -300.0f);

    // Any axis other than 0 steers the rows; a full deflection is held at the limit.
    rig.device.moveAxis(2, 32767);
    rig.device.moveAxis(0, -32768);
    input.poll();
    EXPECT_FLOAT_EQ(rig.ball.tiltY, 600.0f);
    EXPECT_FLOAT_EQ(rig.ball.tiltX, -600.0f);

    // Mouse motion does nothing while the accelerometer steers.
    rig.device.movePointer(0, 0);
    input.poll();
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
    input.poll();
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
    input.poll();
    ASSERT_FLOAT_EQ(rig.ball.tiltX, -200.0f);

    rig.device.clickButton();
    input.poll();
    EXPECT_FALSE(input.isMouseMode());
    EXPECT_TRUE(rig.device.cursorShown);
    // Off: the tilt stays where it was and motion is ignored.
    rig.device.movePointer(100, 100);
    input.poll();
    EXPECT_FLOAT_EQ(rig.ball.tiltX, -200.0f);

    // On again: the offset restarts from the centre.
    rig.device.clickButton();
    rig.device.movePointer(330, 240);
    input.poll();
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
    input.poll();
    EXPECT_TRUE(input.isMouseMode());
    EXPECT_EQ(rig.device.warps.size(), 1u);
    rig.device.clickButton();
    input.poll();
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
    EXPECT_EQ(input.poll(), PlayCommand::Reset);
    rig.device.pressKey(KEY_SPACE);
    rig.device.pressKey('x');
    EXPECT_EQ(input.poll(), PlayCommand::Pause);
    rig.device.pressKey(KEY_ESCAPE);
    EXPECT_EQ(input.poll(), PlayCommand::Quit);
    EXPECT_EQ(input.poll(), PlayCommand::None);
}

TEST(TiltInput, FollowDistanceStopsAtZeroAndRisesAgainInSteps) {
    TiltRig rig;
    testing::internal::CaptureStderr();
    TiltInput input = rig.create();
    testing::internal::GetCapturedStderr();
    for (int i = 0; i < 30; ++i)
        rig.device.pressKey(KEY_S);
    EXPECT_EQ(input.poll(), PlayCommand::None);
    EXPECT_EQ(rig.followDistance, 0.0f);
    rig.device.pressKey(KEY_A);
    input.poll();
    EXPECT_EQ(rig.followDistance, 0.2f);
    rig.device.pressKey(KEY_A);
    input.poll();
    EXPECT_FLOAT_EQ(rig.followDistance, 0.4f);
}

TEST(TiltInput, APollTakesEveryPendingEventEvenThoseItDoesNotUse) {
    TiltRig rig;
    testing::internal::CaptureStderr();
    TiltInput input = rig.create();
    testing::internal::GetCapturedStderr();
    rig.device.send(InputEvent::Kind::Other);
    rig.device.send(InputEvent::Kind::Other);
    input.poll();
    EXPECT_TRUE(rig.device.events.empty());
}

} // namespace

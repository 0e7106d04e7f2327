#include "app/TiltInput.h"

#include "base/InputDevice.h"
#include "base/KeyCodes.h"
#include "game/Ball.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr char ACCELEROMETER_NAME[] = "hdaps";

// Every tilt is computed in double and only stored as a float.
float clampTilt(double tilt) {
    double limit = TiltInput::TILT_LIMIT;
    return static_cast<float>(std::clamp(tilt, -limit, limit));
}

} // namespace

TiltInput::TiltInput(InputDevice& device, Ball& ball, float& followDistance, WindowCentre& centre)
    : device(device), ball(ball), followDistance(followDistance), centre(centre) {
    openAccelerometer();
    if (!accelerometerOpen) {
        std::fprintf(stderr, "Warning: Failed loading aps joystick!\n");
        mouseMode = true;
        return;
    }
    readAccelerometer();
    device.enableJoystickEvents();
}

void TiltInput::openAccelerometer() {
    int count = device.countJoysticks();
    for (int i = 0; i < count; ++i) {
        // Only the accelerometer: a game pad would tilt the board by its stick's rest drift.
        if (device.nameJoystick(i) != ACCELEROMETER_NAME)
            continue;
        std::printf("Loading aps joystick js%i\n", i);
        std::fflush(stdout);
        accelerometerOpen = device.openJoystick(i);
        return;
    }
}

// The laptop's current position, without the sensitivity: the board starts as it is held.
void TiltInput::readAccelerometer() {
    ball.tiltX = clampTilt(device.readAxis(0) * static_cast<double>(AXIS_SCALE));
    ball.tiltY = clampTilt(device.readAxis(1) * static_cast<double>(AXIS_SCALE));
}

void TiltInput::centreOnWindow() {
    centre.x = device.windowWidth() / 2;
    centre.y = device.windowHeight() / 2;
}

void TiltInput::reset() {
    device.showCursor(false);
    centreOnWindow();
    if (mouseMode) {
        offsetX = 0.0f;
        offsetY = 0.0f;
        device.warpPointer(centre.x, centre.y);
        ball.tiltX = 0.0f;
        ball.tiltY = 0.0f;
    } else if (accelerometerOpen) {
        readAccelerometer();
    }
}

PlayCommand TiltInput::poll() {
    centreOnWindow();
    command = PlayCommand::None;
    InputEvent event;
    while (device.pollEvent(event)) {
        switch (event.kind) {
        case InputEvent::Kind::KeyPress:
            handleKey(event.key);
            break;
        case InputEvent::Kind::MouseMotion:
            if (mouseMode)
                handleMouseMotion(event.x, event.y);
            break;
        case InputEvent::Kind::MouseButton:
            toggleMouseMode();
            break;
        case InputEvent::Kind::JoystickAxis:
            if (!mouseMode)
                handleAxis(event.axis, event.value);
            break;
        case InputEvent::Kind::Resize:
            device.reopenWindow(event.x, event.y);
            centre.x = event.x / 2;
            centre.y = event.y / 2;
            break;
        case InputEvent::Kind::Other:
            break;
        }
    }
    return command;
}

void TiltInput::handleKey(int key) {
    double step = DISTANCE_STEP;
    switch (key) {
    case KEY_ESCAPE:
        command = PlayCommand::Quit;
        break;
    case KEY_SPACE:
        command = PlayCommand::Pause;
        break;
    case KEY_R:
        command = PlayCommand::Reset;
        break;
    case KEY_A:
        followDistance = static_cast<float>(followDistance + step);
        break;
    case KEY_S:
        followDistance = static_cast<float>(std::max(followDistance - step, 0.0));
        break;
    }
}

// The pointer is warped back to the centre after every move, so each event carries only the
// latest movement. The offset is pulled back to what the clamped tilt needs, so moving back
// levels the board at once however far the mouse went past the limit.
void TiltInput::handleMouseMotion(int x, int y) {
    // The echo of our own warp.
    if (x == centre.x && y == centre.y)
        return;
    offsetX = static_cast<float>(offsetX + static_cast<double>(x - centre.x) * mouseSensitivity_);
    offsetY = static_cast<float>(offsetY + static_cast<double>(y - centre.y) * mouseSensitivity_);
    ball.tiltX = clampTilt(offsetX * MOUSE_GAIN);
    offsetX = static_cast<float>(ball.tiltX / MOUSE_GAIN);
    ball.tiltY = clampTilt(offsetY * MOUSE_GAIN);
    offsetY = static_cast<float>(ball.tiltY / MOUSE_GAIN);
    device.warpPointer(centre.x, centre.y);
}

// With the accelerometer open the pointer stays hidden in both modes.
void TiltInput::toggleMouseMode() {
    mouseMode = !mouseMode;
    if (!mouseMode) {
        if (!accelerometerOpen)
            device.showCursor(true);
        return;
    }
    offsetX = 0.0f;
    offsetY = 0.0f;
    if (!accelerometerOpen)
        device.showCursor(false);
    device.warpPointer(centre.x, centre.y);
}

// Which joystick sent the event plays no part: only the accelerometer delivers events.
void TiltInput::handleAxis(int axis, int value) {
    double tilt = value * static_cast<double>(AXIS_SCALE) * joystickSensitivity_;
    if (axis == 0)
        ball.tiltX = clampTilt(tilt);
    else
        ball.tiltY = clampTilt(tilt);
}

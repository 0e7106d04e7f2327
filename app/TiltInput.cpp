#include "app/TiltInput.h"

#include "base/InputDevice.h"
#include "base/KeyCodes.h"
#include "game/Ball.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr char ACCELEROMETER_NAME[] = "hdaps";

// Slots of the arrows in arrowsHeld.
enum Arrow { RIGHT_ARROW, LEFT_ARROW, DOWN_ARROW, UP_ARROW };

// Every tilt is computed in double and only stored as a float.
float clampTilt(double tilt) {
    double limit = TiltInput::TILT_LIMIT;
    return static_cast<float>(std::clamp(tilt, -limit, limit));
}

// An arrow tilt ms later, while direction (-1, 0 or 1) is held: back towards level at the
// levelling rate while it leans against the direction or nothing is held, then out towards
// the limit at the ramp rate. Reversing therefore passes level as fast as a release would.
float rampArrow(float tilt, int direction, double ms) {
    const double limit = TiltInput::TILT_LIMIT;
    double value = tilt;
    if (value != 0.0 && (direction == 0 || (value > 0.0) != (direction > 0))) {
        const double levelling = ms * limit / TiltInput::KEY_LEVEL_MS;
        if (std::abs(value) > levelling)
            return static_cast<float>(value > 0.0 ? value - levelling : value + levelling);
        ms -= std::abs(value) * TiltInput::KEY_LEVEL_MS / limit;
        value = 0.0;
    }
    if (direction == 0)
        return 0.0f;
    return clampTilt(value + direction * ms * limit / TiltInput::KEY_RAMP_MS);
}

int arrowSlot(int key) {
    switch (key) {
    case KEY_RIGHT:
        return RIGHT_ARROW;
    case KEY_LEFT:
        return LEFT_ARROW;
    case KEY_DOWN:
        return DOWN_ARROW;
    case KEY_UP:
        return UP_ARROW;
    default:
        return -1;
    }
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
    sourceTiltX = clampTilt(device.readAxis(0) * static_cast<double>(AXIS_SCALE));
    sourceTiltY = clampTilt(device.readAxis(1) * static_cast<double>(AXIS_SCALE));
    ball.tiltX = sourceTiltX;
    ball.tiltY = sourceTiltY;
}

void TiltInput::centreOnWindow() {
    centre.x = device.windowWidth() / 2;
    centre.y = device.windowHeight() / 2;
}

// With nothing steering, the board keeps its tilt, less what the arrows had added.
void TiltInput::reset() {
    device.showCursor(false);
    centreOnWindow();
    const bool arrowsTilted = arrowTiltX != 0.0f || arrowTiltY != 0.0f;
    arrowTiltX = 0.0f;
    arrowTiltY = 0.0f;
    hasPolled = false;
    if (mouseMode) {
        offsetX = 0.0f;
        offsetY = 0.0f;
        device.warpPointer(centre.x, centre.y);
        sourceTiltX = 0.0f;
        sourceTiltY = 0.0f;
        ball.tiltX = 0.0f;
        ball.tiltY = 0.0f;
    } else if (accelerometerOpen) {
        readAccelerometer();
    } else if (arrowsTilted) {
        applyTilt(true, true);
    }
}

void TiltInput::releaseArrows() {
    std::fill(std::begin(arrowsHeld), std::end(arrowsHeld), false);
    zoomKeys.releaseAll();
}

bool TiltInput::takeViewSwitch() {
    const bool switched = viewSwitched;
    viewSwitched = false;
    return switched;
}

PlayKeyCommand TiltInput::poll(std::int32_t tickMs) {
    centreOnWindow();
    command = PlayKeyCommand::None;
    InputEvent event;
    while (device.pollEvent(event)) {
        switch (event.kind) {
        case InputEvent::Kind::KeyPress:
            handleKey(event.key, tickMs);
            break;
        case InputEvent::Kind::KeyRelease:
            handleRelease(event.key);
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
    rampArrowTilt(tickMs);
    zoomKeys.update(tickMs, MIN_FOLLOW_DISTANCE, followDistance);
    return command;
}

void TiltInput::handleKey(int key, std::int32_t tickMs) {
    switch (key) {
    case KEY_ESCAPE:
        command = PlayKeyCommand::Quit;
        break;
    case KEY_SPACE:
        command = PlayKeyCommand::Pause;
        break;
    case KEY_R:
        command = PlayKeyCommand::Reset;
        break;
    case KEY_A:
        zoomKeys.press(ZoomKeys::Direction::Away, tickMs, MIN_FOLLOW_DISTANCE, followDistance);
        break;
    case KEY_S:
        zoomKeys.press(ZoomKeys::Direction::Nearer, tickMs, MIN_FOLLOW_DISTANCE, followDistance);
        break;
    case KEY_V:
    case KEY_TAB:
        viewSwitched = !viewSwitched;
        break;
    default:
        holdArrow(key, true);
        break;
    }
}

void TiltInput::handleRelease(int key) {
    if (key == KEY_A)
        zoomKeys.release(ZoomKeys::Direction::Away);
    else if (key == KEY_S)
        zoomKeys.release(ZoomKeys::Direction::Nearer);
    else
        holdArrow(key, false);
}

// With neither the mouse nor the accelerometer steering, the board holds its last tilt until
// an arrow is pressed: from then on the arrows steer alone.
void TiltInput::holdArrow(int key, bool held) {
    const int slot = arrowSlot(key);
    if (slot < 0)
        return;
    arrowsHeld[slot] = held;
    if (held && !mouseMode && !accelerometerOpen) {
        sourceTiltX = 0.0f;
        sourceTiltY = 0.0f;
        applyTilt(true, true);
    }
}

// The first poll of a run only starts the clock of the ramp.
void TiltInput::rampArrowTilt(std::int32_t tickMs) {
    const double ms = hasPolled ? std::max(0, tickMs - lastPollTick) : 0;
    lastPollTick = tickMs;
    hasPolled = true;
    const int directionX = arrowsHeld[RIGHT_ARROW] - arrowsHeld[LEFT_ARROW];
    const int directionY = arrowsHeld[DOWN_ARROW] - arrowsHeld[UP_ARROW];
    const float tiltX = rampArrow(arrowTiltX, directionX, ms);
    const float tiltY = rampArrow(arrowTiltY, directionY, ms);
    const bool changesX = tiltX != arrowTiltX || directionX != 0;
    const bool changesY = tiltY != arrowTiltY || directionY != 0;
    arrowTiltX = tiltX;
    arrowTiltY = tiltY;
    applyTilt(changesX, changesY);
}

// Only the axes named are written: an axis whose arrows were never touched keeps exactly the
// tilt that the mouse or the accelerometer gave it.
void TiltInput::applyTilt(bool x, bool y) {
    if (x)
        ball.tiltX = clampTilt(static_cast<double>(sourceTiltX) + arrowTiltX);
    if (y)
        ball.tiltY = clampTilt(static_cast<double>(sourceTiltY) + arrowTiltY);
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
    sourceTiltX = clampTilt(offsetX * MOUSE_GAIN);
    offsetX = static_cast<float>(sourceTiltX / MOUSE_GAIN);
    sourceTiltY = clampTilt(offsetY * MOUSE_GAIN);
    offsetY = static_cast<float>(sourceTiltY / MOUSE_GAIN);
    applyTilt(true, true);
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
        sourceTiltX = clampTilt(tilt);
    else
        sourceTiltY = clampTilt(tilt);
    applyTilt(axis == 0, axis != 0);
}

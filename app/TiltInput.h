#pragma once
// Turns the player's hand into the board's tilt: mouse movement around the window centre, or
// the laptop accelerometer that the system presents as a joystick named "hdaps", plus the
// arrow keys held down. During play it also reads the keys that steer the run, the camera's
// keys and the window's own events.

#include "app/ZoomKeys.h"
#include "game/Ball.h"
#include "game/PlayKeyCommand.h"

#include <cstdint>

class Ball;
class InputDevice;

// The pixel centre of the window, where the pointer is kept while the mouse steers.
struct WindowCentre {
    int x = 320;
    int y = 240;
};

class TiltInput {
public:
    static constexpr float AXIS_SCALE = 0.05f; // tilt units per joystick axis unit
    static constexpr float TILT_LIMIT = MAX_TILT;
    static constexpr double MOUSE_GAIN = -2.0; // tilt per pixel of mouse offset
    // Nearest follow distance, in board units: nearer, the tilted board reaches the near
    // clipping plane and the whole screen goes black.
    static constexpr float MIN_FOLLOW_DISTANCE = 1.0f;
    // An arrow held down tilts the board the way it points, from level to the limit in
    // KEY_RAMP_MS; released, the board comes back to level in KEY_LEVEL_MS.
    static constexpr double KEY_RAMP_MS = 500.0;
    static constexpr double KEY_LEVEL_MS = 250.0;

    // Looks for the accelerometer and falls back to the mouse when there is none.
    TiltInput(InputDevice& device, Ball& ball, float& followDistance, WindowCentre& centre);

    float mouseSensitivity() const { return mouseSensitivity_; }
    float joystickSensitivity() const { return joystickSensitivity_; }
    bool isMouseMode() const { return mouseMode; }
    bool hasAccelerometer() const { return accelerometerOpen; }

    // Starts a run: hides the pointer and levels the board, or takes the laptop's position.
    // Arrows still held keep tilting from level.
    void reset();
    // Handles every pending event and moves the arrows' tilt and the held zoom on to tickMs;
    // returns the last command key pressed, or None.
    PlayKeyCommand poll(std::int32_t tickMs);
    // Whether the view key ('v' or Tab) was pressed an odd number of times since the last
    // call: the player asks to switch between the follow and the whole-board view.
    bool takeViewSwitch();
    // Lets go of every arrow and zoom key: their releases went to a screen that does not pass
    // them on. The arrows' tilt then levels out as after a release.
    void releaseArrows();
    void setMouseSensitivity(float sensitivity) { mouseSensitivity_ = sensitivity; }
    void setJoystickSensitivity(float sensitivity) { joystickSensitivity_ = sensitivity; }

private:
    void openAccelerometer();
    void readAccelerometer();
    void centreOnWindow();
    void handleKey(int key, std::int32_t tickMs);
    void handleRelease(int key);
    void holdArrow(int key, bool held);
    void handleMouseMotion(int x, int y);
    void toggleMouseMode();
    void handleAxis(int axis, int value);
    void rampArrowTilt(std::int32_t tickMs);
    void applyTilt(bool x, bool y);

    InputDevice& device;
    Ball& ball;
    float& followDistance;
    WindowCentre& centre;
    bool accelerometerOpen = false;
    float offsetX = 0.0f; // pixels times the mouse sensitivity, within [-300, 300]
    float offsetY = 0.0f;
    // The tilt of the mouse or the accelerometer, to which the arrows' tilt is added.
    float sourceTiltX = 0.0f;
    float sourceTiltY = 0.0f;
    float arrowTiltX = 0.0f;
    float arrowTiltY = 0.0f;
    bool arrowsHeld[4] = {false, false, false, false}; // right, left, down, up
    std::int32_t lastPollTick = 0;
    bool hasPolled = false; // since the last reset: the first poll ramps nothing
    PlayKeyCommand command = PlayKeyCommand::None;
    ZoomKeys zoomKeys;
    bool viewSwitched = false;
    float mouseSensitivity_ = 1.0f;
    float joystickSensitivity_ = 1.0f;
    bool mouseMode = false;
};

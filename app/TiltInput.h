#pragma once
// Turns the player's hand into the board's tilt: mouse movement around the window centre, or
// the laptop accelerometer that the system presents as a joystick named "hdaps". During play
// it also reads the keys that steer the run and the window's own events.

#include "game/PlayCommand.h"

class Ball;
class InputDevice;

// The pixel centre of the window, where the pointer is kept while the mouse steers.
struct WindowCentre {
    int x = 320;
    int y = 240;
};

class TiltInput {
public:
    static constexpr float AXIS_SCALE = 0.05f;   // tilt units per joystick axis unit
    static constexpr float TILT_LIMIT = 600.0f;  // 60 degrees of board rotation
    static constexpr double MOUSE_GAIN = -2.0;   // tilt per pixel of mouse offset
    static constexpr float DISTANCE_STEP = 0.2f; // camera distance per 'a' or 's' press

    // Looks for the accelerometer and falls back to the mouse when there is none.
    TiltInput(InputDevice& device, Ball& ball, float& followDistance, WindowCentre& centre);

    float mouseSensitivity() const { return mouseSensitivity_; }
    float joystickSensitivity() const { return joystickSensitivity_; }
    bool isMouseMode() const { return mouseMode; }
    bool hasAccelerometer() const { return accelerometerOpen; }

    // Starts a run: hides the pointer and levels the board, or takes the laptop's position.
    void reset();
    // Handles every pending event; returns the last command key pressed, or None.
    PlayCommand poll();
    void setMouseSensitivity(float sensitivity) { mouseSensitivity_ = sensitivity; }
    void setJoystickSensitivity(float sensitivity) { joystickSensitivity_ = sensitivity; }

private:
    void openAccelerometer();
    void readAccelerometer();
    void centreOnWindow();
    void handleKey(int key);
    void handleMouseMotion(int x, int y);
    void toggleMouseMode();
    void handleAxis(int axis, int value);

    InputDevice& device;
    Ball& ball;
    float& followDistance;
    WindowCentre& centre;
    bool accelerometerOpen = false;
    float offsetX = 0.0f; // pixels times the mouse sensitivity, within [-300, 300]
    float offsetY = 0.0f;
    PlayCommand command = PlayCommand::None;
    float mouseSensitivity_ = 1.0f;
    float joystickSensitivity_ = 1.0f;
    bool mouseMode = false;
};

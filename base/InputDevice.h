#pragma once
// What the tilt input needs from the platform: the joysticks, the pointer, the window and
// its events. SDL provides it in the game; the unit tests provide a scripted fake.

#include <string>

// One platform event, reduced to what play reacts to.
struct InputEvent {
    enum class Kind { KeyPress, MouseMotion, MouseButton, JoystickAxis, Quit, Resize, Other };

    Kind kind = Kind::Other;
    int key = 0;   // KeyPress: SDL 1.2 key symbol
    int x = 0;     // MouseMotion: pointer position; Resize: new window width
    int y = 0;     // MouseMotion: pointer position; Resize: new window height
    int axis = 0;  // JoystickAxis: axis number
    int value = 0; // JoystickAxis: -32768 ... 32767
};

class InputDevice {
public:
    virtual int countJoysticks() = 0;
    virtual std::string nameJoystick(int index) = 0;
    // Opens joystick index as the one whose axes readAxis reports; false when it cannot.
    virtual bool openJoystick(int index) = 0;
    virtual int readAxis(int axis) = 0;
    virtual void enableJoystickEvents() = 0;

    virtual void showCursor(bool shown) = 0;
    virtual void warpPointer(int x, int y) = 0;
    virtual int windowWidth() = 0;
    virtual int windowHeight() = 0;

    // Takes the next pending event without waiting; false when none is left.
    virtual bool pollEvent(InputEvent& event) = 0;
    // Re-opens the display windowed at the new size.
    virtual void reopenWindow(int width, int height) = 0;
    // Ends the process with exit code 0; the fake returns and records it.
    virtual void quitGame() = 0;

protected:
    // Never deleted through this interface: the game's device lives until the process exits.
    ~InputDevice() = default;
};

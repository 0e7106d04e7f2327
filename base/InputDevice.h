#pragma once
// The platform seam every event loop reads: the joysticks, the pointer, the window and its
// events. SDL provides it in the game; the unit tests provide a scripted device.
//
// Two kinds of platform event never reach a caller: the music's end-of-track notice is handed
// to the music player inside, and a window-close request ends the process there with exit
// code 0, with nothing saved, whichever loop is waiting.

#include <string>

// One platform event, reduced to what the game reacts to.
struct InputEvent {
    enum class Kind { KeyPress, KeyRelease, MouseMotion, MouseButton, JoystickAxis, Resize, Other };

    Kind kind = Kind::Other;
    int key = 0;    // KeyPress, KeyRelease: SDL 1.2 key symbol
    int button = 0; // MouseButton: MOUSE_LEFT ... MOUSE_WHEEL_DOWN (KeyCodes.h)
    int x = 0;      // MouseMotion, MouseButton: pointer position in pixels from the window's
    int y = 0;      // top left corner; Resize: new window width and height
    int axis = 0;   // JoystickAxis: axis number
    int value = 0;  // JoystickAxis: -32768 ... 32767
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
    // Blocks until an event arrives and takes it.
    virtual void waitEvent(InputEvent& event) = 0;
    // Drops the pointer motion already queued, leaving every other event: after play, the
    // echoes of its own moves of the pointer to the window's centre, which the menus would
    // otherwise take for the player pointing there.
    virtual void discardPointerMotion() = 0;
    // Re-opens the display windowed at the new size.
    virtual void reopenWindow(int width, int height) = 0;
    // A screen appears (an overlay, a menu, a menu again after what it opened): the keys down
    // at this moment do nothing on it until they are released and pressed again, so a key held
    // for the screen before cannot act here (see HeldKeys). The overlay and the menu loops call
    // it once their first picture is shown, the menu loops again as they close, and play as it
    // ends. The second click of a double click that opened the screen does nothing on it
    // either (see SecondClicks).
    virtual void ignoreHeldKeys() = 0;
    // Play begins: it takes its keys as they are, but not the second click of the double
    // click that started the board from a list, which would switch the mouse mode at once.
    virtual void ignoreSecondClicks() = 0;

protected:
    // Never deleted through this interface: the game's device lives until the process exits.
    ~InputDevice() = default;
};

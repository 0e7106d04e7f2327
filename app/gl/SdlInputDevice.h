#pragma once
// The game's platform layer: SDL's joystick, pointer, window and event queue. Every loop, in
// the menus and in play, takes its events here, so the menu track still follows the intro
// wherever the player is, and a close request ends the game from any screen.

#include "base/HeldKeys.h"
#include "base/InputDevice.h"
#include "base/SecondClicks.h"
#include "app/TiltInput.h"

struct _SDL_Joystick;

// Where the pointer is kept while the mouse steers; set by the tilt input.
extern WindowCentre windowCentre;

// Runs when a close request is about to end the process, from whichever loop took it.
void setBeforeClose(void (*lastWork)());

class SdlInputDevice final : public InputDevice {
public:
    int countJoysticks() override;
    std::string nameJoystick(int index) override;
    bool openJoystick(int index) override;
    int readAxis(int axis) override;
    void enableJoystickEvents() override;

    void showCursor(bool shown) override;
    void warpPointer(int x, int y) override;
    int windowWidth() override;
    int windowHeight() override;

    bool pollEvent(InputEvent& event) override;
    void waitEvent(InputEvent& event) override;
    void discardPointerMotion() override;
    void reopenWindow(int width, int height) override;
    void ignoreHeldKeys() override;
    void ignoreSecondClicks() override;

private:
    _SDL_Joystick* joystick = nullptr;
    HeldKeys heldKeys;
    SecondClicks secondClicks;
};

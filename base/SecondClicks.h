#pragma once
// The second click of a double click whose first click opened a new screen. Players used to
// opening things with a double click would otherwise have the second click act on what the
// first one opened: pick the line under the pointer in the list that came up, go back twice
// with the right button (from the main menu, to the credits), or switch the mouse mode of
// the board that started. Such a click is dropped before any screen sees it, as the presses
// of held keys are (HeldKeys). The wheel's steps never open a screen and always pass.

#include "base/InputDevice.h"

#include <cstdint>
#include <optional>

// The longest time between the two presses of a double click, and the farthest the pointer
// may move between them in either direction (in pixels): the usual desktop defaults. A
// quick click elsewhere is aimed at the new screen and acts.
constexpr std::uint32_t DOUBLE_CLICK_MS = 400;
constexpr int DOUBLE_CLICK_DISTANCE = 5;

class SecondClicks {
public:
    // A new screen has appeared. queuedPresses button presses (the wheel's not counted) were
    // made before it showed and still wait to be taken: they were meant for the screen
    // before, however long it took to show this one, and are dropped too.
    void screenShown(int queuedPresses);
    // Whether event, taken at nowMs, reaches the screen: every event but a press queued
    // behind the screen, or a press of the button pressed last, within DOUBLE_CLICK_MS and
    // DOUBLE_CLICK_DISTANCE of that press, with a screen shown between the two.
    bool admit(const InputEvent& event, std::uint32_t nowMs);
    // The game moved the pointer itself (play keeps it at the window's centre): the next
    // press may land far from the last one and still be the second of a double click.
    void pointerWarped();

private:
    struct Press {
        int button;
        int x;
        int y;
        std::uint32_t atMs;
    };
    std::optional<Press> lastPress;
    bool screenSinceLastPress = false;
    bool warpedSinceLastPress = false;
    int queuedPressesToDrop = 0;
};

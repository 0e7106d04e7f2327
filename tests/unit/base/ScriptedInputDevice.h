#pragma once
// A scripted platform for the unit tests: the joysticks it claims, the events it delivers in
// order (all pending at once, unless a pause holds the rest back until the next blocking
// wait), and a record of what the code under test did to the pointer and the window.
//
// Like the game's device it drops the presses of keys held since a screen appeared. A key
// counts as held from the moment a holdKey press is taken until its release is taken; a
// pressKey press is a tap, down no longer once taken, though no release is delivered.

#include "base/HeldKeys.h"
#include "base/InputDevice.h"
#include "base/KeyCodes.h"

#include <algorithm>

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

class ScriptedInputDevice final : public InputDevice {
public:
    int countJoysticks() override { return static_cast<int>(joystickNames.size()); }
    std::string nameJoystick(int index) override { return joystickNames.at(index); }
    bool openJoystick(int index) override {
        openedJoystick = index;
        return openSucceeds;
    }
    int readAxis(int axis) override { return axes[axis]; }
    void enableJoystickEvents() override { joystickEventsOn = true; }

    void showCursor(bool shown) override { cursorShown = shown; }
    void warpPointer(int x, int y) override { warps.emplace_back(x, y); }
    int windowWidth() override { return width; }
    int windowHeight() override { return height; }

    bool pollEvent(InputEvent& event) override {
        while (!events.empty() && !events.front().afterWait) {
            takeFront(event);
            if (heldKeys.admit(event))
                return true;
        }
        return false;
    }
    // The game would block for ever on an empty queue; a script that runs dry fails the test
    // and gets an Escape, which ends every waiting loop.
    void waitEvent(InputEvent& event) override {
        ++waits;
        for (;;) {
            if (events.empty()) {
                ADD_FAILURE() << "waited for an event the script does not have";
                pressKey(KEY_ESCAPE);
            }
            takeFront(event);
            if (heldKeys.admit(event))
                return;
        }
    }
    void discardPointerMotion() override {
        events.erase(std::remove_if(events.begin(), events.end(),
                                    [](const Arrival& arrival) {
                                        return arrival.event.kind ==
                                                   InputEvent::Kind::MouseMotion &&
                                               !arrival.afterWait;
                                    }),
                     events.end());
    }
    void reopenWindow(int newWidth, int newHeight) override {
        width = newWidth;
        height = newHeight;
        ++reopenCount;
    }
    void ignoreHeldKeys() override {
        ++screensShown;
        heldKeys.ignore(keysDown);
    }
    // The script has no clock to time a double click by: every click is taken.
    void ignoreSecondClicks() override {}

    // The events scripted after this arrive only once the code under test waits again.
    void pause() { pausing = true; }
    void pressKey(int key) {
        InputEvent event;
        event.kind = InputEvent::Kind::KeyPress;
        event.key = key;
        push(event);
    }
    void releaseKey(int key) {
        InputEvent event;
        event.kind = InputEvent::Kind::KeyRelease;
        event.key = key;
        push(event);
    }
    // A press whose key stays down until its releaseKey is taken.
    void holdKey(int key) {
        pressKey(key);
        events.back().holds = true;
    }
    void pressKeys(std::initializer_list<int> keys) {
        for (int key : keys)
            pressKey(key);
    }
    void movePointer(int x, int y) {
        InputEvent event;
        event.kind = InputEvent::Kind::MouseMotion;
        event.x = x;
        event.y = y;
        push(event);
    }
    void clickButton(int button = MOUSE_LEFT, int x = 0, int y = 0) {
        InputEvent event;
        event.kind = InputEvent::Kind::MouseButton;
        event.button = button;
        event.x = x;
        event.y = y;
        push(event);
    }
    void moveAxis(int axis, int value) {
        InputEvent event;
        event.kind = InputEvent::Kind::JoystickAxis;
        event.axis = axis;
        event.value = value;
        push(event);
    }
    void send(InputEvent::Kind kind, int x = 0, int y = 0) {
        InputEvent event;
        event.kind = kind;
        event.x = x;
        event.y = y;
        push(event);
    }

    std::vector<std::string> joystickNames;
    bool openSucceeds = true;
    int openedJoystick = -1;
    int axes[2] = {0, 0};
    bool joystickEventsOn = false;
    bool cursorShown = true;
    std::vector<std::pair<int, int>> warps;
    int width = 640;
    int height = 480;
    int reopenCount = 0;
    int waits = 0;
    int screensShown = 0; // calls of ignoreHeldKeys
    std::vector<int> keysDown;

    struct Arrival {
        InputEvent event;
        bool afterWait;     // held back until the next blocking wait
        bool holds = false; // a press whose key stays down until released
    };
    std::deque<Arrival> events;

private:
    void push(const InputEvent& event) {
        events.push_back({event, pausing});
        pausing = false;
    }
    void takeFront(InputEvent& event) {
        const Arrival arrival = events.front();
        events.pop_front();
        event = arrival.event;
        if (arrival.holds)
            keysDown.push_back(event.key);
        else if (event.kind == InputEvent::Kind::KeyRelease)
            keysDown.erase(std::remove(keysDown.begin(), keysDown.end(), event.key),
                           keysDown.end());
    }

    HeldKeys heldKeys;
    bool pausing = false;
};

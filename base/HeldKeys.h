#pragma once
// The keys that were down when a screen appeared. The screen ignores their presses until each
// has been released, so a key held for what came before (an arrow steering the ball, the
// Return that opened a menu) cannot act on it, whether by a press still queued behind the
// screen's first picture or by a repeat.

#include "base/InputDevice.h"

#include <vector>

class HeldKeys {
public:
    // A screen appears while keysDown are down; the keys ignored for the screen before count
    // no more.
    void ignore(const std::vector<int>& keysDown);
    // Whether event reaches the screen: every event but a press of an ignored key. A release
    // ends the key's ignoring and is passed on, as no screen acts on a release alone.
    bool admit(const InputEvent& event);

private:
    std::vector<int> ignored;
};

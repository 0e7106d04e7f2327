#pragma once
// The options menu on screen: shown until Escape, then its values are applied to the running
// game and the whole settings file is written.

#include "menus/OptionsMenu.h"

class Settings;
class TiltInput;

// What leaving the options menu changes.
struct OptionsTargets {
    Settings& settings;
    TiltInput& tiltInput;
    bool& turnboard;
    bool& topview;
};

// The values in force now: the display, the music, the view flags and the sensitivities.
OptionsSnapshot takeOptionsSnapshot(const OptionsTargets& targets);

void runOptionsMenu(OptionsMenu& menu, OptionsTargets& targets);

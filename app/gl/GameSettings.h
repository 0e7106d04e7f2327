#pragma once
// The settings in the running game: the values it uses now, and the one function that puts
// new ones into it, at start-up and when the options menu is left. Which key is which value is
// the settings table's (menus/SettingsTable.h); which piece of the game takes each is here.

#include "base/VideoMode.h"
#include "menus/SettingsTable.h"

#include <optional>

class Renderer;
class TiltInput;

constexpr const char* SETTINGS_FILE = "tirva.cfg";

// The pieces of the running game the settings reach, besides the process-wide display and
// music and sound-effect players.
struct SettingTargets {
    Renderer& renderer;
    TiltInput& tiltInput;
};

// The values in force: the display as it is, the music and sound switches, the view flags and
// the sensitivities.
SettingValues readSettingsInForce(const SettingTargets& targets);
// Puts values into the running game, in the order the player sees them take effect: the
// display (only for newMode, a mode chosen in the options; start-up opens the display itself),
// the music, the sounds, the view, the input. A sensitivity of 0 leaves the one in force.
void applySettings(const SettingValues& values, const std::optional<VideoMode>& newMode,
                   const SettingTargets& targets);

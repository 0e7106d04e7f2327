#pragma once
// The options menu's items: display mode, music, the two view modes and the two input
// sensitivities. Built once from the values in force at start-up; the screen applies and
// saves them when the player leaves the menu.

#include "base/VideoMode.h"
#include "menus/MenuItem.h"
#include "menus/MenuItemKinds.h"

#include <cstdint>
#include <string>
#include <vector>

class Settings;

// The values the menu starts from.
struct OptionsSnapshot {
    bool fullscreen = false;
    ModeList modes; // the full-screen modes, in the platform's order
    int windowWidth = 0;
    int windowHeight = 0;
    bool musicOn = true;
    bool turnboard = true;
    bool topview = false;
    float mouseSensitivity = 1.0f;
    float joystickSensitivity = 1.0f;
};

// What a sensitivity field asks for when the menu is left.
struct SensitivityChoice {
    float stored; // the value written to the settings
    bool applies; // false for 0, which leaves the sensitivity as it is
};

// "800x600" for a mode of 800 by 600.
std::string describeMode(const VideoMode& mode);
// The last mode of width x height, or StringPicker::NO_OPTION when there is none.
std::uint32_t findModeIndex(const ModeList& modes, int width, int height);

// The field's number. A text that is not a number (empty, a lone '.') keeps current: it is
// stored, and the field shows it again.
SensitivityChoice chooseSensitivity(menuitems::FloatGetter<float>& field, float current);

class OptionsMenu {
public:
    explicit OptionsMenu(const OptionsSnapshot& snapshot);
    OptionsMenu(const OptionsMenu&) = delete;
    OptionsMenu& operator=(const OptionsMenu&) = delete;

    // Assigns the eight keys the menu owns: the window size in force, the four switches as
    // "1" or "0" and the two sensitivities with 7 significant digits. Other keys stay.
    void storeIn(Settings& settings, int windowWidth, int windowHeight, float mouseStored,
                 float joystickStored) const;

    MenuEntries items;
    std::uint32_t selected = 0;
    menuitems::BoolGetter fullscreen;
    menuitems::StringPicker resolution;
    menuitems::BoolGetter music;
    menuitems::BoolGetter turnBoard;
    menuitems::BoolGetter topView;
    menuitems::FloatGetter<float> mouseSensitivity;
    menuitems::FloatGetter<float> joystickSensitivity;
};

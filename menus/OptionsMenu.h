#pragma once
// The options menu's items: one for each row of the settings table that has one, in the
// table's order, with its label and kind. Built once from the values in force at start-up;
// the screen applies and saves what they hold when the player leaves the menu.

#include "base/VideoMode.h"
#include "menus/MenuItem.h"
#include "menus/MenuItemKinds.h"
#include "menus/SettingsTable.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

// What the menu starts from: the values in force and the display's full-screen modes, in the
// platform's order.
struct OptionsSnapshot {
    SettingValues values;
    ModeList modes;
};

// "800x600" for a mode of 800 by 600.
std::string describeMode(const VideoMode& mode);
// The last mode of width x height, or StringPicker::NO_OPTION when there is none.
std::uint32_t findModeIndex(const ModeList& modes, int width, int height);

class OptionsMenu {
public:
    explicit OptionsMenu(const OptionsSnapshot& snapshot);
    OptionsMenu(const OptionsMenu&) = delete;
    OptionsMenu& operator=(const OptionsMenu&) = delete;

    // The mode the display item points at, or nothing while it points at none.
    std::optional<VideoMode> chosenMode() const;
    // The values the items hold, over inForce. A number whose text is not a number (empty, a
    // lone '.') keeps inForce's value, and the field shows it again. The window size stays
    // inForce's: the display mode is chosenMode.
    SettingValues chooseValues(const SettingValues& inForce);
    // What the selected item does, for the line under the menu.
    std::string describeSelected() const;
    // The keys of the selected item.
    std::string describeKeys() const;

    MenuEntries items;
    std::uint32_t selected = 0;

private:
    // An item beside the field of SettingValues it edits.
    struct SwitchLine {
        bool SettingValues::*field;
        menuitems::BoolGetter item;
    };
    struct NumberLine {
        float SettingValues::*field;
        menuitems::FloatGetter<float> item;
    };

    void addItem(const SettingRow& row, const SettingValues& values);

    // Deques, so the entries' references to the items stay good as lines are added.
    std::deque<SwitchLine> switches;
    std::deque<NumberLine> numbers;
    ModeList modes;
    menuitems::StringPicker displayMode;
    // The settings table's row of each entry of items, in the same order.
    std::vector<const SettingRow*> itemRows;
};

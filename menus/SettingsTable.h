#pragma once
// Every key of "tirva.cfg" that the game uses, one row each: its name, its value when the file
// sets none, how its text is read and its value written, the field of SettingValues the
// running game takes it from, and the options menu item that edits it. Start-up reads the
// file through these rows, the options menu builds its items from them in their order, and
// leaving it writes them back; app/gl/GameSettings puts the values into the running game.
// A new key is a row here, its field, the code in GameSettings that uses it, and the README.

#include <optional>
#include <string>
#include <variant>

class Settings;

// The values the settings hold, as the running game uses them. Each starts as its row's
// default (defaultSettingValues); value-initialised fields mean nothing.
struct SettingValues {
    bool fullscreen{};
    int windowWidth{}; // 0: not set
    int windowHeight{};
    bool music{};
    bool sound{};
    bool turnboard{};
    bool topview{};
    float mouseSensitivity{}; // 0 is stored as typed but never used: see isUsableSensitivity
    float joystickSensitivity{};
};

// How one key's text becomes its value and back. read gives nothing when the text does not
// set the value, which then stays as it was.
template <typename Value> struct SettingForm {
    Value SettingValues::*field;
    Value defaultValue;
    std::optional<Value> (*read)(const std::string& text);
    std::string (*write)(Value value);
};

// What edits a key in the options menu: nothing, a yes/no switch, a decimal number typed as
// text, or one of the display's full-screen modes, which sets the window's width and height
// together (the row of "res_x" carries it; "res_y" has none of its own).
enum class OptionKind { None, Switch, Number, DisplayMode };

struct OptionsItem {
    OptionKind kind;
    const char* label;
    // One line under the options saying what the item does, in words a newcomer knows (the
    // labels are short): lower case, no punctuation but '-', since the font has none.
    const char* description;
};

struct SettingRow {
    const char* key;
    std::variant<SettingForm<bool>, SettingForm<int>, SettingForm<float>> form;
    OptionsItem option;
};

// The conversions of the rows.
// C atoi of the text: leading blanks, a sign, digits; no digits read as 0.
std::optional<int> readAtoi(const std::string& text);
// On when C atoi of the text is not 0: "yes" is off.
std::optional<bool> readAtoiSwitch(const std::string& text);
// Empty sets nothing; otherwise on only when the first character is '1'.
std::optional<bool> readSwitchOnWithOne(const std::string& text);
// Empty sets nothing; otherwise off only when the first character is '0': "no" is on.
std::optional<bool> readSwitchOffWithZero(const std::string& text);
// The whole text a decimal number other than 0; anything else sets nothing.
std::optional<float> readNonZeroNumber(const std::string& text);
std::string writeInteger(int value);
std::string writeSwitch(bool on);     // "1" or "0"
std::string writeNumber(float value); // 7 significant digits: 1.0 is "1", 1.25 "1.25"

// In the options menu's order. Start-up looks the keys up in this order too.
inline constexpr SettingRow SETTING_ROWS[] = {
    {"fullscreen",
     SettingForm<bool>{&SettingValues::fullscreen, false, readAtoiSwitch, writeSwitch},
     {OptionKind::Switch, "fullscreen", "yes fills the whole screen   no plays in a window"}},
    {"res_x",
     SettingForm<int>{&SettingValues::windowWidth, 0, readAtoi, writeInteger},
     {OptionKind::DisplayMode, "resolution",
      "the size in pixels of the window or the full screen"}},
    {"res_y",
     SettingForm<int>{&SettingValues::windowHeight, 0, readAtoi, writeInteger},
     {OptionKind::None, nullptr, nullptr}},
    {"music",
     SettingForm<bool>{&SettingValues::music, true, readSwitchOnWithOne, writeSwitch},
     {OptionKind::Switch, "music", "music in the menus and while you play"}},
    {"sound",
     SettingForm<bool>{&SettingValues::sound, true, readSwitchOnWithOne, writeSwitch},
     {OptionKind::Switch, "sounds",
      "knocks and drops of the ball   ticks of the clock   the menus"}},
    {"turnboard",
     SettingForm<bool>{&SettingValues::turnboard, true, readSwitchOffWithZero, writeSwitch},
     {OptionKind::Switch, "turn board",
      "yes shows the board leaning as you tilt it   no keeps it flat"}},
    {"topview",
     SettingForm<bool>{&SettingValues::topview, false, readSwitchOffWithZero, writeSwitch},
     {OptionKind::Switch, "top view",
      "yes shows the whole board   no follows the ball   v switches it in play"}},
    {"msensitivity",
     SettingForm<float>{&SettingValues::mouseSensitivity, 1.0f, readNonZeroNumber, writeNumber},
     {OptionKind::Number, "mouse sens",
      "how far the board tilts when you move the mouse   1 is normal"}},
    {"jsensitivity",
     SettingForm<float>{&SettingValues::joystickSensitivity, 1.0f, readNonZeroNumber, writeNumber},
     {OptionKind::Number, "aps sens",
      "how far the board follows a laptop tilt sensor   1 is normal"}},
};

// Every row's default: what a missing or empty settings file gives.
SettingValues defaultSettingValues();
// The defaults, overwritten by each key the store sets. Looks every key up, which inserts the
// absent ones with an empty value (never written).
SettingValues readSettingValues(Settings& settings);
// Assigns every key its value's written form; other keys stay.
void storeSettingValues(Settings& settings, const SettingValues& values);
// A sensitivity of 0 would freeze the board: it is stored as typed, but the running game
// keeps the one it has.
bool isUsableSensitivity(float sensitivity);

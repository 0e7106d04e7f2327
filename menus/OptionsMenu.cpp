#include "menus/OptionsMenu.h"

#include "base/Numbers.h"
#include "base/Settings.h"

#include <optional>

namespace {

std::vector<std::string> describeModes(const ModeList& modes) {
    std::vector<std::string> names;
    for (const VideoMode& mode : modes)
        names.push_back(describeMode(mode));
    return names;
}

const char* formatSwitch(bool on) {
    return on ? "1" : "0";
}

} // namespace

std::string describeMode(const VideoMode& mode) {
    return std::to_string(mode.width) + "x" + std::to_string(mode.height);
}

std::uint32_t findModeIndex(const ModeList& modes, int width, int height) {
    std::uint32_t found = menuitems::StringPicker::NO_OPTION;
    for (std::size_t i = 0; i < modes.size(); ++i) {
        if (modes[i].width == width && modes[i].height == height)
            found = static_cast<std::uint32_t>(i);
    }
    return found;
}

SensitivityChoice chooseSensitivity(menuitems::FloatGetter<float>& field, float current) {
    std::optional<float> number = parseDecimalFloat(field.text);
    if (!number) {
        field.setText(formatFloat7(current));
        return {current, false};
    }
    return {*number, *number != 0.0f};
}

OptionsMenu::OptionsMenu(const OptionsSnapshot& snapshot)
    : fullscreen(snapshot.fullscreen),
      resolution(describeModes(snapshot.modes),
                 findModeIndex(snapshot.modes, snapshot.windowWidth, snapshot.windowHeight)),
      music(snapshot.musicOn), turnBoard(snapshot.turnboard), topView(snapshot.topview),
      mouseSensitivity(snapshot.mouseSensitivity),
      joystickSensitivity(snapshot.joystickSensitivity) {
    items = MenuEntries{{"fullscreen", fullscreen},
                        {"resolution", resolution},
                        {"music", music},
                        {"turn board", turnBoard},
                        {"top view", topView},
                        {"mouse sens", mouseSensitivity},
                        {"aps sens", joystickSensitivity}};
}

void OptionsMenu::storeIn(Settings& settings, int windowWidth, int windowHeight, float mouseStored,
                          float joystickStored) const {
    settings.valueOf("res_x") = std::to_string(windowWidth);
    settings.valueOf("res_y") = std::to_string(windowHeight);
    settings.valueOf("fullscreen") = formatSwitch(fullscreen.value);
    settings.valueOf("music") = formatSwitch(music.value);
    settings.valueOf("turnboard") = formatSwitch(turnBoard.value);
    settings.valueOf("topview") = formatSwitch(topView.value);
    settings.valueOf("msensitivity") = formatFloat7(mouseStored);
    settings.valueOf("jsensitivity") = formatFloat7(joystickStored);
}

#include "menus/OptionsMenu.h"

#include "base/Numbers.h"
#include "menus/MenuKeyLines.h"

#include <vector>

namespace {

std::vector<std::string> describeModes(const ModeList& modes) {
    std::vector<std::string> names;
    for (const VideoMode& mode : modes)
        names.push_back(describeMode(mode));
    return names;
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

OptionsMenu::OptionsMenu(const OptionsSnapshot& snapshot)
    : modes(snapshot.modes),
      displayMode(describeModes(modes),
                  findModeIndex(modes, snapshot.values.windowWidth, snapshot.values.windowHeight)) {
    for (const SettingRow& row : SETTING_ROWS)
        addItem(row, snapshot.values);
}

// The table guarantees each kind its field's type (SettingsTable.cpp checks it at compile
// time), so the form asked for is there.
void OptionsMenu::addItem(const SettingRow& row, const SettingValues& values) {
    switch (row.option.kind) {
    case OptionKind::None:
        return;
    case OptionKind::Switch: {
        bool SettingValues::*field = std::get_if<SettingForm<bool>>(&row.form)->field;
        switches.push_back({field, menuitems::BoolGetter(values.*field)});
        items.push_back({row.option.label, switches.back().item});
        break;
    }
    case OptionKind::Number: {
        float SettingValues::*field = std::get_if<SettingForm<float>>(&row.form)->field;
        numbers.push_back({field, menuitems::FloatGetter<float>(values.*field)});
        items.push_back({row.option.label, numbers.back().item});
        break;
    }
    case OptionKind::DisplayMode:
        items.push_back({row.option.label, displayMode});
        break;
    }
    itemRows.push_back(&row);
}

std::optional<VideoMode> OptionsMenu::chosenMode() const {
    if (!displayMode.hasChoice() || displayMode.index >= modes.size())
        return std::nullopt;
    return modes[displayMode.index];
}

SettingValues OptionsMenu::chooseValues(const SettingValues& inForce) {
    SettingValues values = inForce;
    for (const SwitchLine& line : switches)
        values.*line.field = line.item.value;
    for (NumberLine& line : numbers) {
        std::optional<float> number = parseDecimalFloat(line.item.text);
        if (number)
            values.*line.field = *number;
        else
            line.item.setText(formatFloat7(inForce.*line.field));
    }
    return values;
}

std::string OptionsMenu::describeSelected() const {
    if (selected >= itemRows.size())
        return "";
    return itemRows[selected]->option.description;
}

std::string OptionsMenu::describeKeys() const {
    const bool typed =
        selected < itemRows.size() && itemRows[selected]->option.kind == OptionKind::Number;
    return describeItemMenuKeys(typed ? ItemEdit::Type : ItemEdit::Step, "save and back");
}

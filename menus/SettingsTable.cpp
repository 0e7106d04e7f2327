#include "menus/SettingsTable.h"

#include "base/Numbers.h"
#include "base/Settings.h"

namespace {

// Each row's field must have the type its options item edits.
constexpr bool fitsItsOption(const SettingRow& row) {
    switch (row.option.kind) {
    case OptionKind::None:
        return true;
    case OptionKind::Switch:
        return std::holds_alternative<SettingForm<bool>>(row.form);
    case OptionKind::Number:
        return std::holds_alternative<SettingForm<float>>(row.form);
    case OptionKind::DisplayMode:
        return std::holds_alternative<SettingForm<int>>(row.form);
    }
    return false;
}

constexpr bool allRowsFitTheirOptions() {
    for (const SettingRow& row : SETTING_ROWS)
        if (!fitsItsOption(row))
            return false;
    return true;
}

static_assert(allRowsFitTheirOptions(), "an options item edits a field of another type");

} // namespace

std::optional<int> readAtoi(const std::string& text) {
    return convertAtoi(text);
}

std::optional<bool> readAtoiSwitch(const std::string& text) {
    return convertAtoi(text) != 0;
}

std::optional<bool> readSwitchOnWithOne(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    return text[0] == '1';
}

std::optional<bool> readSwitchOffWithZero(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    return text[0] != '0';
}

std::optional<float> readNonZeroNumber(const std::string& text) {
    std::optional<float> number = parseDecimalFloat(text);
    if (!number || *number == 0.0f)
        return std::nullopt;
    return number;
}

std::string writeInteger(int value) {
    return std::to_string(value);
}

std::string writeSwitch(bool on) {
    return on ? "1" : "0";
}

std::string writeNumber(float value) {
    return formatFloat7(value);
}

SettingValues defaultSettingValues() {
    SettingValues values;
    for (const SettingRow& row : SETTING_ROWS)
        std::visit([&values](const auto& form) { values.*form.field = form.defaultValue; },
                   row.form);
    return values;
}

SettingValues readSettingValues(Settings& settings) {
    SettingValues values = defaultSettingValues();
    for (const SettingRow& row : SETTING_ROWS)
        std::visit(
            [&](const auto& form) {
                if (auto value = form.read(settings.valueOf(row.key)))
                    values.*form.field = *value;
            },
            row.form);
    return values;
}

void storeSettingValues(Settings& settings, const SettingValues& values) {
    for (const SettingRow& row : SETTING_ROWS)
        std::visit(
            [&](const auto& form) { settings.valueOf(row.key) = form.write(values.*form.field); },
            row.form);
}

bool isUsableSensitivity(float sensitivity) {
    return sensitivity != 0.0f;
}

#include "menus/OptionsMenu.h"

#include "base/Settings.h"
#include "menus/SettingsTable.h"

#include <gtest/gtest.h>

namespace {

OptionsSnapshot makeSnapshot() {
    OptionsSnapshot snapshot;
    snapshot.values = defaultSettingValues();
    snapshot.modes = {{1280, 1024}, {800, 600}, {640, 480}, {800, 600}};
    snapshot.values.windowWidth = 800;
    snapshot.values.windowHeight = 600;
    snapshot.values.mouseSensitivity = 1.0f;
    snapshot.values.joystickSensitivity = 0.25f;
    return snapshot;
}

// The item on the line labelled label, as the kind the table gives it.
template <typename Item> Item& itemOf(OptionsMenu& menu, const std::string& label) {
    for (const MenuEntry& entry : menu.items)
        if (entry.label == label)
            return static_cast<Item&>(entry.item);
    ADD_FAILURE() << "no line " << label;
    return static_cast<Item&>(menu.items.front().item);
}

menuitems::BoolGetter& switchOf(OptionsMenu& menu, const std::string& label) {
    return itemOf<menuitems::BoolGetter>(menu, label);
}

menuitems::FloatGetter<float>& numberOf(OptionsMenu& menu, const std::string& label) {
    return itemOf<menuitems::FloatGetter<float>>(menu, label);
}

menuitems::StringPicker& resolutionOf(OptionsMenu& menu) {
    return itemOf<menuitems::StringPicker>(menu, "resolution");
}

} // namespace

TEST(OptionsMenu, ShowsTheEightOptionsFromTheSnapshot) {
    OptionsMenu menu(makeSnapshot());
    std::vector<std::string> labels;
    for (const MenuEntry& entry : menu.items)
        labels.push_back(entry.label);
    EXPECT_EQ(labels,
              (std::vector<std::string>{"fullscreen", "resolution", "music", "sounds", "turn board",
                                        "top view", "mouse sens", "aps sens"}));
    EXPECT_EQ(resolutionOf(menu).options,
              (std::vector<std::string>{"1280x1024", "800x600", "640x480", "800x600"}));
    EXPECT_EQ(resolutionOf(menu).index, 3u) << "the last mode of the window's size";
    EXPECT_FALSE(switchOf(menu, "fullscreen").value);
    EXPECT_TRUE(switchOf(menu, "music").value);
    EXPECT_TRUE(switchOf(menu, "turn board").value);
    EXPECT_FALSE(switchOf(menu, "top view").value);
    EXPECT_EQ(numberOf(menu, "mouse sens").text, "1");
    EXPECT_EQ(numberOf(menu, "aps sens").text, "0.25");
}

TEST(OptionsMenu, AWindowSizeOutsideTheModesMarksNoResolution) {
    OptionsSnapshot snapshot = makeSnapshot();
    snapshot.values.windowWidth = 500;
    OptionsMenu outside(snapshot);
    EXPECT_FALSE(resolutionOf(outside).hasChoice());
    EXPECT_FALSE(outside.chosenMode());
    snapshot.modes.clear();
    OptionsMenu empty(snapshot);
    EXPECT_TRUE(resolutionOf(empty).options.empty());
    EXPECT_FALSE(resolutionOf(empty).hasChoice());
}

TEST(OptionsMenu, StoresEveryOptionAsTheSettingsFileHoldsIt) {
    OptionsSnapshot snapshot = makeSnapshot();
    OptionsMenu menu(snapshot);
    switchOf(menu, "fullscreen").value = true;
    switchOf(menu, "music").value = false;
    numberOf(menu, "mouse sens").setText("1.5");
    numberOf(menu, "aps sens").setText("0");
    Settings settings;
    settings.parse("zoom = 3\nmusic = 1\nres_x = 1\n");
    storeSettingValues(settings, menu.chooseValues(snapshot.values));
    EXPECT_EQ(settings.serialize(), "fullscreen = 1\njsensitivity = 0\nmsensitivity = 1.5\n"
                                    "music = 0\nres_x = 800\nres_y = 600\nsound = 1\n"
                                    "topview = 0\nturnboard = 1\nzoom = 3\n");
}

TEST(OptionsMenu, ASensitivityTextIsReadAsADecimalNumber) {
    SettingValues inForce = makeSnapshot().values;
    OptionsMenu menu(makeSnapshot());
    numberOf(menu, "mouse sens").setText("1.50");
    SettingValues chosen = menu.chooseValues(inForce);
    EXPECT_EQ(chosen.mouseSensitivity, 1.5f);
    EXPECT_TRUE(isUsableSensitivity(chosen.mouseSensitivity));
    EXPECT_EQ(writeNumber(chosen.mouseSensitivity), "1.5");
    numberOf(menu, "mouse sens").setText(".5");
    EXPECT_EQ(menu.chooseValues(inForce).mouseSensitivity, 0.5f);
    numberOf(menu, "mouse sens").setText("3.");
    EXPECT_EQ(menu.chooseValues(inForce).mouseSensitivity, 3.0f);
}

TEST(OptionsMenu, ZeroIsStoredButLeavesTheSensitivity) {
    SettingValues inForce = makeSnapshot().values;
    inForce.mouseSensitivity = 2.0f;
    OptionsMenu menu(makeSnapshot());
    numberOf(menu, "mouse sens").setText("0.0");
    SettingValues chosen = menu.chooseValues(inForce);
    EXPECT_EQ(chosen.mouseSensitivity, 0.0f);
    EXPECT_FALSE(isUsableSensitivity(chosen.mouseSensitivity));
    EXPECT_EQ(numberOf(menu, "mouse sens").text, "0.0");
}

TEST(OptionsMenu, TextThatIsNotANumberKeepsAndShowsThePreviousSensitivity) {
    for (const char* text : {"", ".", "1111111111111111111111111111111111111111111111"}) {
        OptionsMenu menu(makeSnapshot());
        numberOf(menu, "aps sens").setText(text);
        SettingValues chosen = menu.chooseValues(makeSnapshot().values);
        // Stored, and put into the game again: the sensitivity stays as it was.
        EXPECT_EQ(chosen.joystickSensitivity, 0.25f) << text;
        EXPECT_EQ(numberOf(menu, "aps sens").text, "0.25");
        EXPECT_TRUE(numberOf(menu, "aps sens").hasPoint);
    }
}

// The line under the options follows the selection with its row's words, and the keys line
// names typing on a number and stepping elsewhere.
TEST(OptionsMenu, TheSelectedItemSaysWhatItDoesAndWhichKeysChangeIt) {
    OptionsMenu menu(makeSnapshot());
    ASSERT_FALSE(menu.items.empty());
    for (menu.selected = 0; menu.selected < menu.items.size(); ++menu.selected) {
        const std::string description = menu.describeSelected();
        const std::string& label = menu.items[menu.selected].label;
        EXPECT_FALSE(description.empty()) << label;
        const bool typed = label == "mouse sens" || label == "aps sens";
        EXPECT_NE(menu.describeKeys().find(typed ? "type a number" : "left right change"),
                  std::string::npos)
            << label;
        EXPECT_NE(menu.describeKeys().find("esc save and back"), std::string::npos);
    }
    auto describeLine = [&menu](const std::string& label) {
        for (menu.selected = 0; menu.selected < menu.items.size(); ++menu.selected)
            if (menu.items[menu.selected].label == label)
                return menu.describeSelected();
        return std::string();
    };
    EXPECT_NE(describeLine("resolution").find("size"), std::string::npos);
    EXPECT_NE(describeLine("aps sens").find("laptop tilt sensor"), std::string::npos);
}

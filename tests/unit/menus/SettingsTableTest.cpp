#include "menus/SettingsTable.h"

#include "base/Settings.h"

#include <gtest/gtest.h>

namespace {

Settings parsed(const std::string& text) {
    Settings settings;
    settings.parse(text);
    return settings;
}

} // namespace

TEST(SettingsTable, StartupConversions) {
    Settings settings = parsed("res_x = 800\nfullscreen = yes\nmusic = 10\n"
                               "msensitivity = 0\njsensitivity = 2.5\nturnboard = no\n"
                               "topview = 0\n");
    SettingValues startup = readSettingValues(settings);
    EXPECT_EQ(startup.windowWidth, 800);
    EXPECT_EQ(startup.windowHeight, 0);
    EXPECT_FALSE(startup.fullscreen);
    EXPECT_TRUE(startup.music);
    EXPECT_EQ(startup.mouseSensitivity, 1.0f); // 0 is ignored
    EXPECT_FALSE(readNonZeroNumber("0").has_value());
    EXPECT_EQ(startup.joystickSensitivity, 2.5f);
    EXPECT_EQ(startup.turnboard, true); // only a leading '0' turns it off
    EXPECT_EQ(startup.topview, false);

    Settings off = parsed("music = 0\nmsensitivity = fast\njsensitivity = 1.5x\n");
    SettingValues offStartup = readSettingValues(off);
    EXPECT_FALSE(offStartup.music);
    EXPECT_EQ(offStartup.mouseSensitivity, 1.0f);
    EXPECT_FALSE(readNonZeroNumber("fast").has_value());
    EXPECT_EQ(offStartup.joystickSensitivity, 1.0f);
    EXPECT_FALSE(readNonZeroNumber("1.5x").has_value());
    EXPECT_TRUE(offStartup.turnboard);
    EXPECT_FALSE(readSwitchOffWithZero("").has_value()); // unset leaves the default

    Settings unset;
    SettingValues defaults = readSettingValues(unset);
    EXPECT_TRUE(defaults.music);
    EXPECT_EQ(defaults.windowWidth, 0);
}

// A row's default and written form together make the file a fresh game saves.
TEST(SettingsTable, DefaultsAreSavedAsTheNineLinesOfAFreshFile) {
    SettingValues values = defaultSettingValues();
    values.windowWidth = 640;
    values.windowHeight = 480;
    Settings settings;
    storeSettingValues(settings, values);
    EXPECT_EQ(settings.serialize(), "fullscreen = 0\njsensitivity = 1\nmsensitivity = 1\n"
                                    "music = 1\nres_x = 640\nres_y = 480\nsound = 1\n"
                                    "topview = 0\nturnboard = 1\n");
}

TEST(SettingsTable, SoundsAreOnUnlessTheKeyTurnsThemOff) {
    Settings unset;
    EXPECT_TRUE(readSettingValues(unset).sound);
    Settings off = parsed("sound = 0\n");
    EXPECT_FALSE(readSettingValues(off).sound);
    Settings on = parsed("sound = 1\nmusic = 0\n");
    EXPECT_TRUE(readSettingValues(on).sound) << "the music's switch is its own";
}

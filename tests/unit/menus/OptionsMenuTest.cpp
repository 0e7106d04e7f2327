#include "menus/OptionsMenu.h"

#include "base/KeyCodes.h"
#include "base/Numbers.h"
#include "base/Settings.h"

#include <gtest/gtest.h>

namespace {

OptionsSnapshot makeSnapshot() {
    OptionsSnapshot snapshot;
    snapshot.modes = {{1280, 1024}, {800, 600}, {640, 480}, {800, 600}};
    snapshot.windowWidth = 800;
    snapshot.windowHeight = 600;
    snapshot.mouseSensitivity = 1.0f;
    snapshot.joystickSensitivity = 0.25f;
    return snapshot;
}

} // namespace

TEST(OptionsMenu, ShowsTheSevenOptionsFromTheSnapshot) {
    OptionsMenu menu(makeSnapshot());
    std::vector<std::string> labels;
    for (const MenuEntry& entry : menu.items)
        labels.push_back(entry.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"fullscreen", "resolution", "music", "turn board",
                                                "top view", "mouse sens", "aps sens"}));
    EXPECT_EQ(menu.resolution.options,
              (std::vector<std::string>{"1280x1024", "800x600", "640x480", "800x600"}));
    EXPECT_EQ(menu.resolution.index, 3u) << "the last mode of the window's size";
    EXPECT_FALSE(menu.fullscreen.value);
    EXPECT_TRUE(menu.music.value);
    EXPECT_TRUE(menu.turnBoard.value);
    EXPECT_FALSE(menu.topView.value);
    EXPECT_EQ(menu.mouseSensitivity.text, "1");
    EXPECT_EQ(menu.joystickSensitivity.text, "0.25");
}

TEST(OptionsMenu, AWindowSizeOutsideTheModesMarksNoResolution) {
    OptionsSnapshot snapshot = makeSnapshot();
    snapshot.windowWidth = 500;
    EXPECT_FALSE(OptionsMenu(snapshot).resolution.hasChoice());
    snapshot.modes.clear();
    OptionsMenu empty(snapshot);
    EXPECT_TRUE(empty.resolution.options.empty());
    EXPECT_FALSE(empty.resolution.hasChoice());
}

TEST(OptionsMenu, StoresEveryOptionAsTheSettingsFileHoldsIt) {
    OptionsMenu menu(makeSnapshot());
    menu.fullscreen.value = true;
    menu.music.value = false;
    Settings settings;
    settings.parse("zoom = 3\nmusic = 1\nres_x = 1\n");
    menu.storeIn(settings, 800, 600, 1.5f, 0.0f);
    EXPECT_EQ(settings.serialize(), "fullscreen = 1\njsensitivity = 0\nmsensitivity = 1.5\n"
                                    "music = 0\nres_x = 800\nres_y = 600\ntopview = 0\n"
                                    "turnboard = 1\nzoom = 3\n");
}

TEST(OptionsMenu, ASensitivityTextIsReadAsADecimalNumber) {
    OptionsMenu menu(makeSnapshot());
    menu.mouseSensitivity.setText("1.50");
    SensitivityChoice choice = chooseSensitivity(menu.mouseSensitivity, 1.0f);
    EXPECT_EQ(choice.stored, 1.5f);
    EXPECT_TRUE(choice.applies);
    EXPECT_EQ(formatFloat7(choice.stored), "1.5");
    menu.mouseSensitivity.setText(".5");
    EXPECT_EQ(chooseSensitivity(menu.mouseSensitivity, 1.0f).stored, 0.5f);
    menu.mouseSensitivity.setText("3.");
    EXPECT_EQ(chooseSensitivity(menu.mouseSensitivity, 1.0f).stored, 3.0f);
}

TEST(OptionsMenu, ZeroIsStoredButLeavesTheSensitivity) {
    OptionsMenu menu(makeSnapshot());
    menu.mouseSensitivity.setText("0.0");
    SensitivityChoice choice = chooseSensitivity(menu.mouseSensitivity, 2.0f);
    EXPECT_EQ(choice.stored, 0.0f);
    EXPECT_FALSE(choice.applies);
    EXPECT_EQ(menu.mouseSensitivity.text, "0.0");
}

TEST(OptionsMenu, TextThatIsNotANumberKeepsAndShowsThePreviousSensitivity) {
    for (const char* text : {"", ".", "1111111111111111111111111111111111111111111111"}) {
        OptionsMenu menu(makeSnapshot());
        menu.joystickSensitivity.setText(text);
        SensitivityChoice choice = chooseSensitivity(menu.joystickSensitivity, 0.25f);
        EXPECT_EQ(choice.stored, 0.25f) << text;
        EXPECT_FALSE(choice.applies) << text;
        EXPECT_EQ(menu.joystickSensitivity.text, "0.25");
        EXPECT_TRUE(menu.joystickSensitivity.hasPoint);
    }
}

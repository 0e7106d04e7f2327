#include "app/ControlHints.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Lines = std::vector<std::string>;

TEST(ControlHints, TheLineStaysAtLeastFourSecondsAndUntilTheBoardWasTiltedForAMoment) {
    ControlHints hints;
    hints.restart(10000);
    EXPECT_TRUE(hints.isShown(10000));
    // Untouched, it stays as long as the board is played.
    hints.update(20000, 0.0f, 0.0f);
    EXPECT_TRUE(hints.isShown(20000));

    // Tilting at once: still four seconds.
    hints.restart(30000);
    for (int tick = 30010; tick <= 31000; tick += 10)
        hints.update(tick, 0.0f, -300.0f);
    EXPECT_TRUE(hints.isShown(33999));
    EXPECT_FALSE(hints.isShown(34000));

    // A twitch below the leaning tilt, or too short a lean, does not count.
    hints.restart(40000);
    for (int tick = 40010; tick <= 45000; tick += 10)
        hints.update(tick, 59.0f, 0.0f);
    for (int tick = 45010; tick <= 45400; tick += 10)
        hints.update(tick, 60.0f, 0.0f);
    EXPECT_TRUE(hints.isShown(45400));
    for (int tick = 45410; tick <= 45500; tick += 10)
        hints.update(tick, 0.0f, 600.0f);
    EXPECT_FALSE(hints.isShown(45500));
    // The next board shows it again.
    hints.restart(50000);
    EXPECT_TRUE(hints.isShown(50000));
}

TEST(ControlHints, TheLinesNameTheControlsInForceInWordsTheFontDraws) {
    ControlState mouse;
    EXPECT_EQ(describeControls(mouse),
              "mouse or arrows tilt   space pause   r restart   esc leave   a/s zoom   v view");
    ControlState wholeBoard;
    wholeBoard.followView = false;
    EXPECT_EQ(describeControls(wholeBoard).find("zoom"), std::string::npos);
    EXPECT_EQ(listHintLines(mouse, true), Lines{describeControls(mouse)});
    EXPECT_EQ(listHintLines(mouse, false), Lines{});

    // The mouse switched off without an accelerometer: the board ignores it until a click.
    ControlState off;
    off.mouseMode = false;
    EXPECT_EQ(describeControls(off).rfind("arrows tilt", 0), 0u);
    Lines offLines = listHintLines(off, false);
    ASSERT_EQ(offLines.size(), 1u);
    EXPECT_NE(offLines[0].find("click to tilt with the mouse"), std::string::npos);
    EXPECT_EQ(listHintLines(off, true).size(), 2u);

    // With an accelerometer either way of steering is usual: named only with the controls.
    ControlState laptop;
    laptop.mouseMode = false;
    laptop.hasAccelerometer = true;
    EXPECT_EQ(listHintLines(laptop, false), Lines{});
    EXPECT_EQ(listHintLines(laptop, true),
              (Lines{"click to tilt with the mouse", describeControls(laptop)}));
    ControlState laptopMouse;
    laptopMouse.hasAccelerometer = true;
    EXPECT_EQ(listHintLines(laptopMouse, true)[0], "click to tilt with the laptop");

    for (const ControlState& state : {mouse, wholeBoard, off, laptop, laptopMouse})
        for (const std::string& line : listHintLines(state, true))
            for (char ch : line)
                EXPECT_TRUE((ch >= 'a' && ch <= 'z') || ch == ' ' || ch == '/' || ch == '-')
                    << line;
}

TEST(ControlHints, TheBoardsLineNamesItsLimitAndAViewItForbidsAboveTheControls) {
    ControlState state;
    state.boardName = "07 diagonal dash";
    state.timeLimitMs = 22000;
    EXPECT_EQ(listHintLines(state, true),
              (Lines{"07 diagonal dash   limit 22 s", describeControls(state)}));
    EXPECT_EQ(listHintLines(state, false), Lines{});
    EXPECT_EQ(describeTimeLimit(2500), "limit 2.5 s");
    EXPECT_EQ(describeTimeLimit(60010), "limit 60.01 s");
    EXPECT_EQ(describeTimeLimit(0), "limit 0 s");

    // A board that always follows the ball says so, and its controls offer no view key.
    state.timeLimitMs = -1;
    state.wholeViewAllowed = false;
    EXPECT_EQ(describeBoard(state), "07 diagonal dash   follow view only");
    EXPECT_EQ(describeControls(state).find("view"), std::string::npos);
}

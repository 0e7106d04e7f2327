#include "render/OverlayLayout.h"

#include "render/TextLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(OverlayLayout, APanelHangsBelowTheClockAndShrinksToStayAboveTheHints) {
    // Short enough: centred on the middle of the screen.
    PanelPlacement centred = placePanel(4.9f, findClockBottom(false), -1.0f);
    EXPECT_FLOAT_EQ(centred.top, 4.9f * PANEL_UNIT / 2);
    EXPECT_FLOAT_EQ(centred.scale, 1.0f);

    // A result with "next" on a board with a limit would reach the limit's line.
    const float ceiling = findClockBottom(true);
    EXPECT_FLOAT_EQ(ceiling, 0.68f);
    PanelPlacement below = placePanel(9.1f, ceiling, -1.0f);
    EXPECT_FLOAT_EQ(below.top, ceiling - PANEL_CLEARANCE);
    EXPECT_FLOAT_EQ(below.scale, 1.0f);
    EXPECT_GE(below.top - 9.1f * PANEL_UNIT, -1.0f);

    // The end of a pack adds two lines: shrunk to fit between the clock and the hint strip.
    const float floor = -0.85f;
    PanelPlacement shrunk = placePanel(11.9f, ceiling, floor);
    EXPECT_LT(shrunk.scale, 1.0f);
    EXPECT_NEAR(shrunk.top - 11.9f * PANEL_UNIT * shrunk.scale, floor + PANEL_CLEARANCE, 1e-5f);
}

TEST(OverlayLayout, HintLinesFitTheWidthKeepTheirShapeAndStackUpwards) {
    const std::vector<std::string> lines = {
        "the mouse is off   click to tilt with the mouse",
        "mouse or arrows tilt   space pause   r restart   esc leave   a/s zoom"};
    for (auto [width, height] : {std::pair{640, 480}, {1024, 768}, {1920, 600}, {800, 1200}}) {
        BottomLines layout = layOutBottomLines(lines, width, height);
        const float glyphPixels = layout.scaleY * static_cast<float>(height) / 2;
        EXPECT_FLOAT_EQ(layout.scaleX * static_cast<float>(width) / 2, glyphPixels);
        EXPECT_LE(glyphPixels, height / 24.0f + 1e-3f);
        for (const std::string& line : lines) {
            TextExtent extent = measureText(line, ALIGN_CENTRE);
            EXPECT_GE(extent.left * layout.scaleX, -1.0f) << width << "x" << height;
            EXPECT_LE(extent.right * layout.scaleX, 1.0f) << width << "x" << height;
        }
        ASSERT_EQ(layout.baselines.size(), 2u);
        EXPECT_GT(layout.baselines[0] - layout.baselines[1], layout.scaleY);
        EXPECT_GT(layout.baselines[1], -1.0f);
        EXPECT_GT(layout.top, layout.baselines[0] + layout.scaleY);
    }
    // At 640 pixels the longest line still stands at least ten pixels high.
    BottomLines small = layOutBottomLines(lines, 640, 480);
    EXPECT_GE(small.scaleY * 240, 10.0f);
    EXPECT_FLOAT_EQ(layOutBottomLines({}, 640, 480).top, -1.0f);
}

TEST(OverlayLayout, TheClocksBandsHoldTheirTextsAndTheWholeViewStartsBelowThem) {
    for (bool hasLimit : {false, true}) {
        const Band clock = placeClockBand("123.45", hasLimit ? "60.00" : "");
        EXPECT_LT(clock.left, CLOCK_X);
        EXPECT_GT(clock.right, CLOCK_X + measureText("123.45", ALIGN_LEFT).right * CLOCK_SCALE);
        EXPECT_GT(clock.top, CLOCK_Y + CLOCK_SCALE);
        EXPECT_LT(clock.bottom, findClockBottom(hasLimit));
        const float top = findWholeViewTop(hasLimit);
        EXPECT_LT(top, clock.bottom);
        EXPECT_GT(top, clock.bottom - 0.05f); // no more of the window than needed
        const Band frameRate = placeFrameRateBand("100");
        EXPECT_GT(frameRate.right, FRAME_RATE_X);
        EXPECT_LT(frameRate.left,
                  FRAME_RATE_X + measureText("100", ALIGN_RIGHT).left * CLOCK_SCALE);
        EXPECT_LE(frameRate.right, 1.0f);
        EXPECT_GT(top, -1.0f);
        EXPECT_LT(top, frameRate.bottom);
    }
}

#pragma once
// Where play's panels and hint lines go so that they fit the window: where a panel stands
// between the clock above it and the hints below it, and how large the hint lines at the
// bottom can be. Screen positions are in the overlay's units: x and y from -1 to 1 across the
// window; a text's own reach and fit are the text layout's.

#include <string>
#include <vector>

// The clock in the top left corner: the origin of its first line and its glyph height.
constexpr float CLOCK_X = -0.9f;
constexpr float CLOCK_Y = 0.8f;
constexpr float CLOCK_SCALE = 0.1f;
// The frame rate in the top right corner: where its text ends, at the clock's size.
constexpr float FRAME_RATE_X = 0.95f;
constexpr float FRAME_RATE_Y = 0.8f;

// The overlay's panels: their unit, the pitch of their lines and the margin of their box.
constexpr float PANEL_UNIT = 0.15f;
constexpr float PANEL_LINE_PITCH = 1.4f;
constexpr float PANEL_PADDING = 0.7f;
// Room kept free between a panel and the clock or the hints, in overlay units.
constexpr float PANEL_CLEARANCE = 0.04f;
// The lowest point of the clock: the elapsed time, and the time limit below it when the
// board has one.
float findClockBottom(bool hasLimit);

// A dark band behind texts over the scene, in overlay units, so they read over the walls.
struct Band {
    float left, bottom, right, top;
};
// Behind the clock's lines: the elapsed time, and the limit below it when there is one.
Band placeClockBand(const std::string& elapsed, const std::string& limit);
// Behind the frame rate.
Band placeFrameRateBand(const std::string& frameRate);
// The top of the part of the window the whole-board view is framed in: just under the bands,
// so the clock never covers the board's first row, where many boards start the ball.
float findWholeViewTop(bool hasLimit);

// A panel of the given height in panel units, centred on the middle of the screen unless that
// would bring it within PANEL_CLEARANCE of ceiling; then it hangs from there, shrunk by scale
// if it would otherwise come within the clearance of floor.
struct PanelPlacement {
    float top;   // overlay units
    float scale; // applied to PANEL_UNIT
};
PanelPlacement placePanel(float heightUnits, float ceiling, float floor);

// The highest a hint line's glyphs get, of the window's height; the menus' key lines keep to it
// too.
constexpr float HINT_MAX_HEIGHT = 1.0f / 24.0f;
// Lines stacked at the bottom of a window of width x height pixels, centred, each glyph as
// high as the widest line lets it be within the window's width, but no higher than
// HINT_MAX_HEIGHT; glyphs keep their shape whatever the window's aspect.
struct BottomLines {
    float scaleX;                 // overlay units per glyph height, across
    float scaleY;                 // overlay units per glyph height, upwards
    std::vector<float> baselines; // one per line, top line first
    float top;                    // upper edge of the strip behind the lines; -1 for no lines
};
BottomLines layOutBottomLines(const std::vector<std::string>& lines, int width, int height);

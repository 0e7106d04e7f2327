#pragma once
// Every colour the game draws with, in one place: the board as both the 3D drawing and its
// far-view picture show it, the ball, the clock, the result overlay, the hint lines and the
// menus. The board's colours are what the board textures and the light then darken.

// Red, green, blue and opacity, each 0 to 1.
struct Colour {
    float r, g, b, a;
};

// The board.
constexpr Colour WALL_COLOUR = {0.85f, 0.55f, 0.2f, 1.0f};
constexpr Colour FLOOR_COLOUR = {0.85f, 0.45f, 0.15f, 1.0f};
// Translucent, over the hole: with nothing behind it, a dark green.
constexpr Colour GOAL_DISC_COLOUR = {0.2f, 1.0f, 0.2f, 0.7f};
// The colour each frame is cleared to: what shows through a trap hole or a gap where no ball
// has sunk, and around the board.
constexpr Colour CLEAR_COLOUR = {0.0f, 0.0f, 0.0f, 0.0f};
constexpr Colour BALL_COLOUR = {0.3f, 0.3f, 0.3f, 1.0f}; // lit, with a faint highlight
// The far-view picture's texels hold the colours above already, so nothing tints them.
constexpr Colour PICTURE_TINT = {1.0f, 1.0f, 1.0f, 1.0f};

// The clock at the top left and the frame rate at the top right.
constexpr Colour CLOCK_COLOUR = {0.0f, 1.0f, 0.0f, 1.0f};
constexpr Colour LATE_CLOCK_COLOUR = {1.0f, 0.0f, 0.0f, 1.0f}; // past the time limit
constexpr Colour TIME_LIMIT_COLOUR = {0.9f, 0.0f, 0.6f, 1.0f};
constexpr Colour FRAME_RATE_COLOUR = {1.0f, 0.0f, 1.0f, 1.0f};

// The result overlay: the outcome panel with the items, and the best-times panel.
constexpr Colour OUTCOME_PANEL_COLOUR = {0.2f, 0.4f, 1.0f, 0.7f};
constexpr Colour COMPLETED_TEXT_COLOUR = {0.0f, 0.8f, 0.0f, 0.9f};
constexpr Colour FAILED_TEXT_COLOUR = {1.0f, 0.0f, 0.0f, 0.9f};
constexpr Colour CAUSE_TEXT_COLOUR = {1.0f, 0.75f, 0.75f, 0.9f}; // why, under "failed"
constexpr Colour PACK_TEXT_COLOUR = {1.0f, 0.8f, 0.0f, 0.9f};    // gold
constexpr Colour ITEM_COLOUR = {0.9f, 0.9f, 1.0f, 0.9f};
constexpr Colour SELECTED_ITEM_GLOW = {0.9f, 0.9f, 0.2f, 0.6f}; // drawn wide under the item
constexpr Colour TIMES_PANEL_COLOUR = {0.0f, 0.9f, 0.0f, 0.7f};
constexpr Colour TIME_COLOUR = {0.7f, 0.7f, 0.7f, 0.9f};
constexpr Colour NEW_TIME_GLOW = {1.0f, 1.0f, 0.1f, 1.0f};

// The hint lines at the bottom of play: white on a dark strip that keeps them readable over
// the lightest floor.
constexpr Colour HINT_STRIP_COLOUR = {0.0f, 0.0f, 0.0f, 0.6f};
constexpr Colour HINT_TEXT_COLOUR = {1.0f, 1.0f, 1.0f, 1.0f};
// The clock and the frame rate stand on bands as dark, for the same reason.
constexpr Colour CLOCK_BAND_COLOUR = HINT_STRIP_COLOUR;

// The main menu: the title in blue letters with a black outline, the lines on a grey panel.
constexpr Colour TITLE_OUTLINE_COLOUR = {0.0f, 0.0f, 0.0f, 1.0f};
constexpr Colour TITLE_COLOUR = {0.0f, 0.0f, 1.0f, 1.0f};
constexpr Colour MAIN_PANEL_COLOUR = {0.6f, 0.6f, 0.6f, 0.8f};
constexpr Colour MAIN_LINE_COLOUR = {0.0f, 0.0f, 1.0f, 1.0f};
constexpr Colour MAIN_SELECTED_COLOUR = {0.3f, 0.3f, 1.0f, 1.0f}; // drawn wide under the line

// The board and pack lists.
constexpr Colour LIST_TITLE_COLOUR = {1.0f, 1.0f, 0.0f, 1.0f};
constexpr Colour LIST_LINE_COLOUR = {0.0f, 1.0f, 0.0f, 1.0f};
constexpr Colour LIST_SELECTED_COLOUR = {0.0f, 1.0f, 1.0f, 1.0f};
// A word to the player under a list or the random maze menu, a soft yellow no line uses.
constexpr Colour NOTE_COLOUR = {1.0f, 1.0f, 0.6f, 1.0f};

// Behind the menus' texts, so they read on every background: darker than the hint strip,
// since the busiest backgrounds show fine dark detail through it where a floor shows none.
// The key lines are white on it, as the hint lines of play.
constexpr Colour MENU_BAND_COLOUR = {0.0f, 0.0f, 0.0f, 0.75f};
constexpr Colour MENU_KEYS_COLOUR = HINT_TEXT_COLOUR;

// The random maze menu: labels, their values, and the chosen value's highlight.
constexpr Colour MAZE_LABEL_COLOUR = {0.0f, 1.0f, 0.0f, 1.0f};
constexpr Colour MAZE_SELECTED_COLOUR = {0.0f, 1.0f, 1.0f, 1.0f}; // drawn wide under the label
constexpr Colour MAZE_VALUE_COLOUR = {1.0f, 0.0f, 0.0f, 1.0f};
constexpr Colour MAZE_HIGHLIGHT_COLOUR = {1.0f, 1.0f, 0.0f, 1.0f};

// The options menu, likewise.
constexpr Colour OPTIONS_LABEL_COLOUR = {0.8f, 1.0f, 0.1f, 1.0f};
constexpr Colour OPTIONS_SELECTED_COLOUR = {0.6f, 1.0f, 0.4f, 1.0f}; // drawn wide under it
constexpr Colour OPTIONS_VALUE_COLOUR = {0.0f, 0.8f, 0.1f, 1.0f};
constexpr Colour OPTIONS_HIGHLIGHT_COLOUR = {1.0f, 0.0f, 0.0f, 1.0f};

// The credits: names, their roles beside them, the studio line.
constexpr Colour CREDITS_NAME_COLOUR = {0.0f, 1.0f, 0.0f, 1.0f};
constexpr Colour CREDITS_ROLE_COLOUR = {1.0f, 0.0f, 0.0f, 1.0f};
constexpr Colour CREDITS_STUDIO_COLOUR = {1.0f, 0.0f, 1.0f, 1.0f};

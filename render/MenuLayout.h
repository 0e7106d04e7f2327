#pragma once
// Where the texts of the screens outside play stand, in the menus' normalised coordinates:
// x and y from -1 to 1 across the window, y upwards. The drawing places every line from
// here and the pointer finds the line under it here, so a line answers the pointer exactly
// where it is drawn, at every window size.

#include <cstddef>
#include <string>
#include <vector>

struct MenuPoint {
    float x;
    float y;
};

struct MenuRect {
    float left;
    float bottom;
    float right;
    float top;

    bool contains(MenuPoint point) const;
};

// The centre of pixel (x, y), counted from the top left corner of a window of width x height
// pixels, in menu coordinates.
MenuPoint toMenuPoint(int x, int y, int width, int height);

// One line of text: its origin (left end, right end or centre, as its screen aligns it), its
// glyph height, and the area that answers the pointer: the line and half the gaps around it.
struct MenuLine {
    float x;
    float baseline;
    float scale;
    MenuRect area;
};

// Room kept round the texts on a dark band behind them, in their glyph heights.
constexpr float BAND_PADDING = 0.5f;

// The main menu: the lines centred on the grey panel, one and a half glyphs apart.
constexpr float MAIN_LINE_SCALE = 0.15f;
constexpr float MAIN_FIRST_BASELINE = -0.05f;
constexpr float MAIN_LINE_PITCH = 1.5f;       // glyph heights
constexpr float MAIN_PANEL_HALF_WIDTH = 4.0f; // glyph heights
MenuLine placeMainMenuLine(std::size_t index);

// The board and pack lists: the title in the top left corner, the entries below it, each
// with its mark ending LIST_MARK_RIGHT glyphs right of the lines' start.
constexpr float LIST_SCALE = 0.1f;
constexpr float LIST_LEFT = -0.8f;
constexpr float LIST_TITLE_BASELINE = 0.85f;
constexpr float LIST_LINE_PITCH = 1.2f;  // glyph heights
constexpr float LIST_MARK_RIGHT = 17.0f; // glyph heights
constexpr float LIST_RIGHT = LIST_LEFT + LIST_MARK_RIGHT * LIST_SCALE;
MenuLine placeListTitle();
// Row 0 is the first line under the title; a row past the entries places the list's note.
MenuLine placeListLine(std::size_t row);
// The dark band behind the title and rows lines (the note counts as one).
MenuRect surroundList(std::size_t rows);

// An item menu: labels starting or ending at labelX (as the screen aligns them), each value
// drawn valueOffset glyphs right of it, rows ITEM_ROW_PITCH glyphs apart; a value that wraps
// onto more lines pushes the rows below it down.
struct ItemMenuShape {
    float labelX;
    float valueOffset; // glyph heights from labelX
    float firstBaseline;
    float scale;
    float left; // where the rows answer the pointer and the band begins
};
constexpr float ITEM_ROW_PITCH = 1.4f; // glyph heights
// The random maze menu: labels from the left, values in a column six glyphs on.
constexpr ItemMenuShape MAZE_MENU_SHAPE = {-0.85f, 6.0f, 0.85f, 0.1f, -0.9f};
// The options: labels ending left of the middle, values just right of them.
constexpr ItemMenuShape OPTIONS_MENU_SHAPE = {-0.6f, 1.5f, 0.85f, 0.05f, -0.95f};

// One row: its label, and where its value starts and answers the pointer (the rest of the
// row, to the window's right edge).
struct ItemRow {
    MenuLine label;
    float valueX;
    MenuRect valueArea;
};
struct ItemMenuLayout {
    std::vector<ItemRow> rows;
    float endBaseline; // where a row after the last would stand: what follows goes below it
};
// valueLines: how many lines each row's value takes (1 unless it wraps).
ItemMenuLayout layOutItemMenu(const ItemMenuShape& shape, const std::vector<int>& valueLines);
// The dark band behind the rows and whatever stands down to bottom.
MenuRect surroundItemMenu(const ItemMenuLayout& layout, float bottom);

// The credits: names from CREDITS_LEFT, roles a column further, the studio line below them;
// the whole text rises with its first line's baseline at scroll.
constexpr float CREDITS_LEFT = -0.9f;
constexpr float CREDITS_SCALE = 0.1f;
constexpr float CREDITS_ROLE_OFFSET = 10.0f; // glyph heights
constexpr float CREDITS_STUDIO_INDENT = 3.0f;
constexpr float CREDITS_STUDIO_DROP = 2.0f;
// How far below an entry's first line the next one starts: two glyphs, and one and a half
// for each further line of its taller text.
float findCreditsEntryDrop(int nameLineFeeds, int roleLineFeeds);
// The band behind the whole text, whose studio line stands textDrop glyphs below the first.
MenuRect surroundCredits(float scroll, float textDrop);

// A screen's keys on one line in its top right corner. room is where the glyphs may stand:
// the text ends at its right edge and stands on its bottom, as high as room and its width let
// it be, but no higher than a twenty-fourth of the window's height (as the hint lines); its
// glyphs keep their shape on a window of width x height pixels. The band reaches BAND_PADDING
// glyphs round it.
struct CornerLine {
    float right; // where the right-aligned text ends
    float baseline;
    float scaleX;
    float scaleY;
    MenuRect band;
};
CornerLine placeCornerLine(const std::string& text, const MenuRect& room, int width, int height);
// Where the main menu and the lists put their key line: their own layout fills their bottom
// edge, so the line stands in the top right corner, above the title or beside it.
constexpr MenuRect MAIN_MENU_KEY_ROOM = {-0.45f, 0.87f, 0.97f, 0.955f};
constexpr MenuRect LIST_KEY_ROOM = {0.0f, LIST_TITLE_BASELINE, LIST_RIGHT,
                                    LIST_TITLE_BASELINE + LIST_SCALE};

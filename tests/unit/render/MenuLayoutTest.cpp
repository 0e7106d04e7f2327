#include "render/MenuLayout.h"

#include "render/TextLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::vector<std::pair<int, int>> WINDOW_SIZES = {
    {640, 480}, {1024, 768}, {1920, 600}, {500, 400}, {800, 1200}};

// The pixel of a window that shows menu point (x, y).
std::pair<int, int> findPixel(float x, float y, int width, int height) {
    return {static_cast<int>(std::floor((x + 1) / 2 * static_cast<float>(width))),
            static_cast<int>(std::floor((1 - y) / 2 * static_cast<float>(height)))};
}

// The lines' areas answer the pointer at the pixels of their glyphs' middle from textLeft to
// textRight, and never overlap, on windows of every size.
void expectLinesAnswerWhereDrawn(const std::vector<MenuLine>& lines, float textLeft,
                                 float textRight) {
    for (auto [width, height] : WINDOW_SIZES) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const MenuLine& line = lines[i];
            for (float x : {textLeft, (textLeft + textRight) / 2, textRight}) {
                const float middle = line.baseline + line.scale / 2;
                auto [px, py] = findPixel(x, middle, width, height);
                const MenuPoint point = toMenuPoint(px, py, width, height);
                for (std::size_t j = 0; j < lines.size(); ++j)
                    EXPECT_EQ(lines[j].area.contains(point), i == j)
                        << "line " << i << " at " << width << "x" << height;
            }
        }
    }
}

} // namespace

TEST(MenuLayout, APixelMapsToTheMenuPointAtItsCentre) {
    MenuPoint corner = toMenuPoint(0, 0, 640, 480);
    EXPECT_FLOAT_EQ(corner.x, -1.0f + 1.0f / 640);
    EXPECT_FLOAT_EQ(corner.y, 1.0f - 1.0f / 480);
    MenuPoint last = toMenuPoint(639, 479, 640, 480);
    EXPECT_FLOAT_EQ(last.x, 1.0f - 1.0f / 640);
    EXPECT_FLOAT_EQ(last.y, -1.0f + 1.0f / 480);
    // A window not yet there points at nothing on the screen.
    EXPECT_LT(toMenuPoint(3, 4, 0, 0).x, -1.0f);
}

TEST(MenuLayout, MainMenuAndListLinesAnswerThePointerWhereTheyAreDrawn) {
    std::vector<MenuLine> main;
    for (std::size_t i = 0; i < 5; ++i)
        main.push_back(placeMainMenuLine(i));
    // As the main menu draws them: 0.225 apart from -0.05, glyphs 0.15 high, on the panel.
    EXPECT_FLOAT_EQ(main[4].baseline, -0.95f);
    EXPECT_FLOAT_EQ(main[4].area.left, -0.6f);
    EXPECT_FLOAT_EQ(main[0].area.bottom, main[1].area.top);
    expectLinesAnswerWhereDrawn(main, -0.5f, 0.5f);

    std::vector<MenuLine> list = {placeListTitle()};
    for (std::size_t row = 0; row < 15; ++row)
        list.push_back(placeListLine(row));
    EXPECT_FLOAT_EQ(list[1].baseline, 0.73f);
    // The fifteenth line is the last one whole in the window; the band ends below it.
    EXPECT_FLOAT_EQ(list[15].baseline, -0.95f);
    EXPECT_GE(surroundList(15).bottom, -1.0f);
    EXPECT_LE(surroundList(15).top, 1.0f + 1e-6f);
    // From the first glyph's middle to the mark's last.
    expectLinesAnswerWhereDrawn(list, LIST_LEFT + 0.025f,
                                LIST_LEFT + (LIST_MARK_RIGHT - 0.35f) * LIST_SCALE);
}

TEST(MenuLayout, AnItemMenusWrappedValuePushesTheRowsBelowAndStaysInItsRow) {
    // The maze menu's "algorithm" takes two lines: "start" stands a line pitch lower.
    ItemMenuLayout maze = layOutItemMenu(MAZE_MENU_SHAPE, {1, 1, 2, 1});
    ASSERT_EQ(maze.rows.size(), 4u);
    EXPECT_FLOAT_EQ(maze.rows[1].label.baseline, 0.71f);
    EXPECT_FLOAT_EQ(maze.rows[3].label.baseline, 0.43f - 0.12f);
    EXPECT_FLOAT_EQ(maze.rows[2].valueX, -0.25f);
    EXPECT_FLOAT_EQ(maze.rows[2].valueArea.bottom, maze.rows[3].valueArea.top);
    // The wrapped line of the value belongs to its row, and the label ends where it begins.
    const MenuRect& algorithm = maze.rows[2].valueArea;
    EXPECT_TRUE(algorithm.contains({0.0f, 0.57f - 0.12f + 0.05f}));
    EXPECT_FLOAT_EQ(maze.rows[2].label.area.right, algorithm.left);
    EXPECT_LT(algorithm.left, maze.rows[2].valueX);
    EXPECT_FLOAT_EQ(maze.endBaseline, maze.rows[3].label.baseline - 0.14f);

    // The options: labels right-aligned at -0.6, values from -0.525, rows 0.07 apart.
    ItemMenuLayout options = layOutItemMenu(OPTIONS_MENU_SHAPE, std::vector<int>(7, 1));
    EXPECT_FLOAT_EQ(options.rows[6].label.baseline, 0.85f - 6 * 0.07f);
    EXPECT_FLOAT_EQ(options.rows[6].valueX, -0.525f);
    // The longest label ("resolution") stands inside the rows' area.
    const float longest = measureText("resolution", ALIGN_RIGHT).left * OPTIONS_MENU_SHAPE.scale;
    EXPECT_GE(OPTIONS_MENU_SHAPE.labelX + longest, options.rows[1].label.area.left);
    const MenuRect band = surroundItemMenu(options, options.rows[6].label.baseline);
    EXPECT_GT(band.top, options.rows[0].label.area.top - 1e-6f);
    EXPECT_LT(band.bottom, options.rows[6].label.baseline);
}

TEST(MenuLayout, ACornerKeyLineFitsItsRoomKeepsItsShapeAndStandsOnABandInTheWindow) {
    const std::string keys = "up down choose   return pick   esc back";
    for (const MenuRect& room : {MAIN_MENU_KEY_ROOM, LIST_KEY_ROOM}) {
        for (auto [width, height] : WINDOW_SIZES) {
            const CornerLine line = placeCornerLine(keys, room, width, height);
            const float glyphPixels = line.scaleY * static_cast<float>(height) / 2;
            EXPECT_FLOAT_EQ(line.scaleX * static_cast<float>(width) / 2, glyphPixels);
            EXPECT_LE(glyphPixels, height / 24.0f + 1e-3f);
            const TextExtent extent = measureText(keys, ALIGN_RIGHT);
            EXPECT_GE(line.right + extent.left * line.scaleX, room.left - 1e-5f);
            EXPECT_LE(line.baseline + line.scaleY, room.top + 1e-5f);
            EXPECT_FLOAT_EQ(line.baseline, room.bottom);
            EXPECT_GE(line.band.bottom, 0.8f);
            EXPECT_LE(line.band.top, 1.0f + 1e-5f);
            EXPECT_LE(line.band.right, 1.0f + 1e-5f);
        }
    }
    // At 640 pixels across the lists' line still stands twelve pixels high.
    EXPECT_GE(placeCornerLine(keys, LIST_KEY_ROOM, 640, 480).scaleY * 240, 12.0f);
}

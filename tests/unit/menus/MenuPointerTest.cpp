#include "menus/MenuPointer.h"

#include "base/InputDevice.h"
#include "base/KeyCodes.h"
#include "menus/ItemValueLines.h"
#include "menus/MazeSetter.h"
#include "menus/MenuLoops.h"
#include "tests/unit/base/ScriptedInputDevice.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

InputEvent makePointerEvent(InputEvent::Kind kind, int button = 0) {
    InputEvent event;
    event.kind = kind;
    event.button = button;
    return event;
}

// The pixel of a 640 x 480 window in the middle of a line's glyphs, at x.
std::pair<int, int> findPixelOf(const MenuLine& line, float x) {
    return {static_cast<int>((x + 1) / 2 * 640),
            static_cast<int>((1 - (line.baseline + line.scale / 2)) / 2 * 480)};
}

} // namespace

TEST(MenuPointer, PointingSelectsAClickActsTheWheelMovesAndTheRightButtonGoesBack) {
    // Line 2 under the pointer, on its value.
    const MenuHitTest onValue = [](MenuPoint) { return MenuTarget{2, true}; };
    const MenuHitTest onNothing = [](MenuPoint) { return std::optional<MenuTarget>(); };
    const MenuPoint point{0.0f, 0.0f};
    std::uint32_t selected = 0;

    auto route = [&](InputEvent::Kind kind, int button, const MenuHitTest& hitTest) {
        return routeMenuPointer(makePointerEvent(kind, button), point, hitTest, selected);
    };
    EXPECT_EQ(route(InputEvent::Kind::MouseMotion, 0, onValue), std::nullopt);
    EXPECT_EQ(selected, 2u);
    selected = 0;
    EXPECT_EQ(route(InputEvent::Kind::MouseButton, MOUSE_LEFT, onValue), KEY_RIGHT);
    EXPECT_EQ(selected, 2u);
    const MenuHitTest onLabel = [](MenuPoint) { return MenuTarget{1, false}; };
    EXPECT_EQ(route(InputEvent::Kind::MouseButton, MOUSE_LEFT, onLabel), KEY_RETURN);
    EXPECT_EQ(selected, 1u);

    // Away from every line: nothing is selected or picked, but the wheel and the right
    // button work anywhere, without a screen's lines too.
    EXPECT_EQ(route(InputEvent::Kind::MouseMotion, 0, onNothing), std::nullopt);
    EXPECT_EQ(route(InputEvent::Kind::MouseButton, MOUSE_LEFT, onNothing), std::nullopt);
    EXPECT_EQ(selected, 1u);
    EXPECT_EQ(route(InputEvent::Kind::MouseButton, MOUSE_RIGHT, {}), KEY_ESCAPE);
    EXPECT_EQ(route(InputEvent::Kind::MouseButton, MOUSE_WHEEL_UP, {}), KEY_UP);
    EXPECT_EQ(route(InputEvent::Kind::MouseButton, MOUSE_WHEEL_DOWN, onLabel), KEY_DOWN);
    EXPECT_EQ(route(InputEvent::Kind::MouseButton, MOUSE_MIDDLE, onLabel), std::nullopt);
    EXPECT_EQ(route(InputEvent::Kind::KeyPress, 0, onLabel), std::nullopt);
    EXPECT_EQ(selected, 1u);
}

TEST(MenuPointer, AListScreenTakesThePointerOnTheLinesItShows) {
    // Twenty entries scrolled to show entries 5 to 19: the rows answer with their entries,
    // and nothing answers below the last.
    std::uint32_t top = 5;
    ScriptedInputDevice device;
    std::uint32_t selected = 5;
    std::vector<std::uint32_t> activated;
    auto [x, y] = findPixelOf(placeListLine(3), 0.0f);
    device.movePointer(x, y);
    device.pause();
    device.clickButton(MOUSE_LEFT, x, y);
    device.pause();
    device.clickButton(MOUSE_WHEEL_DOWN, 0, 0);
    auto [belowX, belowY] = findPixelOf(placeListLine(15), 0.0f);
    device.movePointer(belowX, belowY);
    device.clickButton(MOUSE_LEFT, belowX, belowY);
    device.pause();
    device.clickButton(MOUSE_RIGHT, 1, 1);
    std::vector<std::uint32_t> drawn;
    runListScreen(
        device, selected, 20, [&] { drawn.push_back(selected); },
        [&](std::uint32_t line) {
            activated.push_back(line);
            return true;
        },
        [&top](MenuPoint point) { return findListEntryAt(top, 20, 15, point); });
    EXPECT_EQ(drawn, (std::vector<std::uint32_t>{5, 8, 8, 9}));
    EXPECT_EQ(activated, (std::vector<std::uint32_t>{8}));
    EXPECT_TRUE(device.events.empty());
}

TEST(MenuPointer, TheMazeMenuFindsItsRowsBelowTheWrappedGeneratorsAndClicksStartOrStep) {
    int played = 0;
    MazeSetter menu([&played](Board&) { ++played; }, [n = 0]() mutable { return n++; });
    menu.width.value = 2;
    menu.height.value = 2;
    // "chambers" wraps at the window's edge: "start" stands one line pitch lower.
    EXPECT_EQ(countValueLines(menu.items, MAZE_MENU_SHAPE), (std::vector<int>{1, 1, 2, 1}));
    const ItemMenuLayout layout = layOutItems(menu.items, MAZE_MENU_SHAPE);
    ScriptedInputDevice device;
    auto [labelX, labelY] = findPixelOf(layout.rows[3].label, -0.8f);
    auto [valueX, valueY] = findPixelOf(layout.rows[2].label, 0.3f);
    device.movePointer(valueX, valueY);
    device.clickButton(MOUSE_LEFT, valueX, valueY);
    device.clickButton(MOUSE_LEFT, labelX, labelY);
    device.clickButton(MOUSE_RIGHT, labelX, labelY);
    runItemMenu(
        device, menu.items, menu.selected, [] {},
        [&menu](MenuPoint point) {
            return findItemAt(layOutItems(menu.items, MAZE_MENU_SHAPE), point);
        });
    EXPECT_EQ(menu.algorithm.index, 1u);
    EXPECT_EQ(played, 1);
    EXPECT_EQ(menu.selected, 3u);
}

#include "menus/MenuNavigation.h"

#include "base/KeyCodes.h"
#include "menus/LevelLists.h"

#include <gtest/gtest.h>

TEST(MenuNavigation, DownAndUpWrapAtBothEnds) {
    for (MenuShape shape : {MenuShape::List, MenuShape::ItemMenu}) {
        std::uint32_t selected = 0;
        EXPECT_EQ(routeMenuKey(shape, KEY_UP, selected, 5), MenuKeyAction::None);
        EXPECT_EQ(selected, 4u);
        EXPECT_EQ(routeMenuKey(shape, KEY_DOWN, selected, 5), MenuKeyAction::None);
        EXPECT_EQ(selected, 0u);
        routeMenuKey(shape, KEY_DOWN, selected, 5);
        EXPECT_EQ(selected, 1u);
        routeMenuKey(shape, KEY_UP, selected, 5);
        EXPECT_EQ(selected, 0u);
    }
}

TEST(MenuNavigation, AnEmptyListKeepsTheFirstLineSelected) {
    std::uint32_t selected = 0;
    routeMenuKey(MenuShape::List, KEY_UP, selected, 0);
    EXPECT_EQ(selected, 0u);
    routeMenuKey(MenuShape::List, KEY_DOWN, selected, 0);
    EXPECT_EQ(selected, 0u);
    EXPECT_EQ(routeMenuKey(MenuShape::List, KEY_RETURN, selected, 0), MenuKeyAction::Activate);
}

TEST(MenuNavigation, ListScreensActivateOnReturnOrSpaceAndIgnoreOtherKeys) {
    std::uint32_t selected = 2;
    EXPECT_EQ(routeMenuKey(MenuShape::List, KEY_RETURN, selected, 5), MenuKeyAction::Activate);
    EXPECT_EQ(routeMenuKey(MenuShape::List, KEY_SPACE, selected, 5), MenuKeyAction::Activate);
    EXPECT_EQ(routeMenuKey(MenuShape::List, KEY_ESCAPE, selected, 5), MenuKeyAction::Leave);
    for (int key : {KEY_LEFT, KEY_RIGHT, KEY_BACKSPACE, int('a'), KEY_0})
        EXPECT_EQ(routeMenuKey(MenuShape::List, key, selected, 5), MenuKeyAction::None);
    EXPECT_EQ(selected, 2u);
}

TEST(MenuNavigation, ItemMenusPassEveryKeyButTheMovesAndEscapeToTheItem) {
    std::uint32_t selected = 1;
    EXPECT_EQ(routeMenuKey(MenuShape::ItemMenu, KEY_ESCAPE, selected, 4), MenuKeyAction::Leave);
    for (int key : {KEY_RETURN, KEY_SPACE, KEY_LEFT, KEY_RIGHT, KEY_BACKSPACE, int('a'), KEY_0})
        EXPECT_EQ(routeMenuKey(MenuShape::ItemMenu, key, selected, 4), MenuKeyAction::PassToItem);
    EXPECT_EQ(selected, 1u);
}

// Drives a list of count lines as its screen does: a key, then the scroll of the next redraw.
struct ScrolledList {
    std::uint32_t selected = 0;
    std::uint32_t top = 0;
    std::size_t count;

    void press(int key) {
        routeMenuKey(MenuShape::List, key, selected, count);
        top = scrollListTop(selected, top);
    }
};

TEST(ListScrolling, TheWindowStaysUntilTheSixteenthLineThenFollowsOneLineAStep) {
    ScrolledList list{0, 0, 20};
    for (int step = 1; step <= 14; ++step) {
        list.press(KEY_DOWN);
        EXPECT_EQ(list.top, 0u) << "step " << step;
    }
    list.press(KEY_DOWN);
    EXPECT_EQ(list.selected, 15u);
    EXPECT_EQ(list.top, 1u);
    list.press(KEY_DOWN);
    EXPECT_EQ(list.top, 2u);
    // Going back up keeps the window until the selection reaches its first line.
    for (int step = 0; step < 14; ++step)
        list.press(KEY_UP);
    EXPECT_EQ(list.selected, 2u);
    EXPECT_EQ(list.top, 2u);
    list.press(KEY_UP);
    EXPECT_EQ(list.top, 1u);
}

TEST(ListScrolling, UpFromTheFirstLineShowsTheLastAsTheFifteenthLine) {
    ScrolledList list{0, 0, 20};
    list.press(KEY_UP);
    EXPECT_EQ(list.selected, 19u);
    EXPECT_EQ(list.top, 5u);
    list.press(KEY_DOWN);
    EXPECT_EQ(list.selected, 0u);
    EXPECT_EQ(list.top, 0u);
}

TEST(ListScrolling, AShortListNeverScrolls) {
    ScrolledList list{0, 0, 15};
    list.press(KEY_UP);
    EXPECT_EQ(list.selected, 14u);
    EXPECT_EQ(list.top, 0u);
}

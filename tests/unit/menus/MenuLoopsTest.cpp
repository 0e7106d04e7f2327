#include "menus/MenuLoops.h"

#include "base/KeyCodes.h"
#include "tests/unit/base/ScriptedInputDevice.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records the keys it is given; closeKey asks the menu to close.
class RecordingItem : public MenuItem {
public:
    bool handleKey(int key) override {
        keys.push_back(key);
        return key != closeKey;
    }
    void draw(MenuPainter&) override {}

    std::vector<int> keys;
    int closeKey = -1;
};

} // namespace

TEST(MenuLoops, AListScreenRedrawsOncePerBatchActivatesAndFollowsTheWindowSize) {
    ScriptedInputDevice device;
    std::uint32_t selected = 0;
    std::vector<std::uint32_t> drawn, activated;
    device.pressKeys({KEY_DOWN, KEY_DOWN});
    device.pause();
    device.pressKey(KEY_RETURN);
    device.send(InputEvent::Kind::Resize, 800, 601);
    device.movePointer(3, 4);
    device.pause();
    // Activating line 1 closes the list; the key after it stays queued for the next screen.
    device.pressKeys({KEY_UP, KEY_SPACE, 'x'});
    runListScreen(
        device, selected, 3, [&] { drawn.push_back(selected); },
        [&](std::uint32_t line) {
            activated.push_back(line);
            return line != 1;
        });
    EXPECT_EQ(drawn, (std::vector<std::uint32_t>{0, 2, 2}));
    EXPECT_EQ(activated, (std::vector<std::uint32_t>{2, 1}));
    EXPECT_EQ(device.reopenCount, 1);
    EXPECT_EQ(device.width, 800);
    EXPECT_EQ(device.height, 601);
    ASSERT_EQ(device.events.size(), 1u);
    EXPECT_EQ(device.events.front().event.key, 'x');

    // Escape returns at once, leaving what follows it queued.
    device.events.clear();
    device.pressKeys({KEY_DOWN, KEY_ESCAPE, KEY_DOWN});
    runListScreen(
        device, selected, 3, [] {}, [](std::uint32_t) { return true; });
    EXPECT_EQ(selected, 2u);
    EXPECT_EQ(device.events.size(), 1u);
}

TEST(MenuLoops, AnItemMenuGivesOtherKeysToTheSelectedItemUntilEscapeOrTheItemCloses) {
    RecordingItem first, second;
    MenuEntries items{{"first", first}, {"second", second}};
    ScriptedInputDevice device;
    std::uint32_t selected = 0;
    int draws = 0;
    device.pressKeys({'1', KEY_DOWN, KEY_RETURN, KEY_LEFT});
    device.pause();
    device.send(InputEvent::Kind::Resize, 1024, 768);
    device.pressKeys({KEY_UP, KEY_ESCAPE, '2'});
    runItemMenu(device, items, selected, [&] { ++draws; });
    EXPECT_EQ(first.keys, (std::vector<int>{'1'}));
    EXPECT_EQ(second.keys, (std::vector<int>{KEY_RETURN, KEY_LEFT}));
    EXPECT_EQ(selected, 0u);
    EXPECT_EQ(draws, 2);
    EXPECT_EQ(device.reopenCount, 1);
    EXPECT_EQ(device.events.size(), 1u);

    first.closeKey = KEY_SPACE;
    device.pressKeys({KEY_SPACE, '3'});
    runItemMenu(device, items, selected, [] {});
    EXPECT_EQ(first.keys, (std::vector<int>{'1', '2', KEY_SPACE}));
    EXPECT_EQ(device.events.size(), 1u);
}

TEST(MenuLoops, KeyReleasesNeitherMoveNorActivateNorReachAnItem) {
    ScriptedInputDevice device;
    std::uint32_t selected = 0;
    std::vector<std::uint32_t> activated;
    device.releaseKey(KEY_DOWN);
    device.releaseKey(KEY_RETURN);
    device.pressKey(KEY_ESCAPE);
    runListScreen(
        device, selected, 3, [] {},
        [&](std::uint32_t line) {
            activated.push_back(line);
            return true;
        });
    EXPECT_EQ(selected, 0u);
    EXPECT_TRUE(activated.empty());

    RecordingItem item;
    MenuEntries items{{"item", item}};
    device.releaseKey('1');
    device.releaseKey(KEY_ESCAPE);
    device.pressKey(KEY_ESCAPE);
    runItemMenu(device, items, selected, [] {});
    EXPECT_TRUE(item.keys.empty());
    EXPECT_TRUE(device.events.empty());
}

TEST(MenuLoops, MovesAndPicksAreHeard) {
    std::vector<MenuSound> heard;
    auto cue = [&heard](MenuSound sound) { heard.push_back(sound); };
    using S = MenuSound;

    // A list: Down, Up wrapping to the last line, Return; Escape is silent.
    ScriptedInputDevice device;
    std::uint32_t selected = 0;
    device.pressKeys({KEY_DOWN, KEY_UP, KEY_UP, 'x', KEY_RETURN, KEY_ESCAPE});
    runListScreen(
        device, selected, 3, [] {}, [](std::uint32_t) { return true; }, {}, cue);
    EXPECT_EQ(heard, (std::vector<S>{S::Move, S::Move, S::Move, S::Pick}));

    // A list of one line: nothing moves.
    heard.clear();
    selected = 0;
    device.pressKeys({KEY_DOWN, KEY_UP, KEY_ESCAPE});
    runListScreen(
        device, selected, 1, [] {}, [](std::uint32_t) { return true; }, {}, cue);
    EXPECT_EQ(heard, std::vector<S>{});

    // An item menu: Down moves, Left and Right choose a value, Return picks, digits are typed.
    heard.clear();
    RecordingItem first, second;
    MenuEntries items{{"a", first}, {"b", second}};
    selected = 0;
    device.pressKeys({KEY_DOWN, KEY_LEFT, KEY_RIGHT, '7', KEY_BACKSPACE, KEY_SPACE, KEY_ESCAPE});
    runItemMenu(
        device, items, selected, [] {}, {}, cue);
    EXPECT_EQ(heard, (std::vector<S>{S::Move, S::Move, S::Move, S::Pick}));
    EXPECT_EQ(second.keys.size(), 5u);
}

// The pointer is heard as the key it stands for, and pointing only when the selection moves.
TEST(MenuLoops, TheMouseIsHeardAsTheKeysItStandsFor) {
    std::vector<MenuSound> heard;
    auto cue = [&heard](MenuSound sound) { heard.push_back(sound); };
    using S = MenuSound;
    // Four lines side by side across a 640-pixel window, each on its value in the lower half.
    const MenuHitTest columns = [](MenuPoint point) {
        return MenuTarget{static_cast<std::uint32_t>((point.x + 1) * 2), point.y < 0};
    };

    // Pointing within line 0, then at line 1 and about in it; a click on line 2 picks it; the
    // wheel moves; the right button leaves in silence.
    ScriptedInputDevice device;
    std::uint32_t selected = 0;
    std::vector<std::uint32_t> activated;
    device.movePointer(50, 100);
    device.movePointer(60, 110);
    device.pause();
    device.movePointer(200, 100);
    device.pause();
    device.movePointer(210, 120);
    device.clickButton(MOUSE_LEFT, 400, 100);
    device.pause();
    device.clickButton(MOUSE_WHEEL_DOWN, 400, 100);
    device.clickButton(MOUSE_RIGHT, 400, 100);
    runListScreen(
        device, selected, 4, [] {},
        [&](std::uint32_t line) {
            activated.push_back(line);
            return true;
        },
        columns, cue);
    EXPECT_EQ(heard, (std::vector<S>{S::Move, S::Pick, S::Move}));
    EXPECT_EQ(activated, std::vector<std::uint32_t>{2});
    EXPECT_EQ(selected, 3u);

    // An item menu: a click on line 1's value steps it as Right does, one on line 0's label
    // picks as Return does.
    heard.clear();
    RecordingItem first, second;
    MenuEntries items{{"a", first}, {"b", second}};
    selected = 0;
    device.clickButton(MOUSE_LEFT, 200, 400);
    device.clickButton(MOUSE_LEFT, 50, 100);
    device.clickButton(MOUSE_RIGHT, 50, 100);
    runItemMenu(
        device, items, selected, [] {}, columns, cue);
    EXPECT_EQ(heard, (std::vector<S>{S::Move, S::Pick}));
    EXPECT_EQ(second.keys, std::vector<int>{KEY_RIGHT});
    EXPECT_EQ(first.keys, std::vector<int>{KEY_RETURN});
}

TEST(MenuLoops, AKeyHeldWhenAScreenShowsOrShowsAgainActsThereOnlyOncePressedAgain) {
    ScriptedInputDevice device;
    std::uint32_t selected = 0, innerSelected = 0;
    std::vector<std::uint32_t> activated;
    // Down is still held from the screen before, which took its press.
    device.holdKey(KEY_DOWN);
    InputEvent taken;
    ASSERT_TRUE(device.pollEvent(taken));
    device.pressKey(KEY_DOWN); // its repeat, or its press still queued: nothing
    device.releaseKey(KEY_DOWN);
    device.pressKey(KEY_DOWN);   // pressed again: line 1
    device.holdKey(KEY_RETURN);  // opens line 1's screen, held until that screen closes
    device.pressKey(KEY_ESCAPE); // closes it
    device.pressKey(KEY_RETURN); // Return's repeat on the list shown again: nothing
    device.pressKey(KEY_ESCAPE);
    runListScreen(
        device, selected, 3, [] {},
        [&](std::uint32_t line) {
            activated.push_back(line);
            runListScreen(
                device, innerSelected, 2, [] {}, [](std::uint32_t) { return true; });
            return true;
        });
    EXPECT_EQ(selected, 1u);
    EXPECT_EQ(activated, (std::vector<std::uint32_t>{1}));
    EXPECT_TRUE(device.events.empty());
}

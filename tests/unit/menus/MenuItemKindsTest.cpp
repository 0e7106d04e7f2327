#include "menus/MenuItemKinds.h"

#include "base/KeyCodes.h"
#include "render/MenuPainter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using menuitems::BoolGetter;
using menuitems::FloatGetter;
using menuitems::IntGetter;
using menuitems::StringPicker;

namespace {

// Records what an item draws as "word@x,y" (highlighted words marked with '*'), with a
// right edge at a chosen x.
class RecordingPainter : public MenuPainter {
public:
    explicit RecordingPainter(float rightEdge = 1000.0f) : rightEdge(rightEdge) {}

    void drawWord(const std::string& text) override { record(text); }
    void drawHighlightedWord(const std::string& text) override { record("*" + text); }
    void moveBy(float dx, float dy) override {
        x += dx;
        y += dy;
    }
    void saveOrigin() override { saved.push_back({x, y}); }
    void restoreOrigin() override {
        x = saved.back().first;
        y = saved.back().second;
        saved.pop_back();
    }
    bool isBeyondRightEdge(float dx) override { return x + dx > rightEdge; }

    std::vector<std::string> drawn;
    float x = 0.0f;
    float y = 0.0f;
    std::vector<std::pair<float, float>> saved;

private:
    void record(const std::string& text) {
        char place[64];
        std::snprintf(place, sizeof place, "@%.1f,%.1f", x, y);
        drawn.push_back(text + place);
    }

    float rightEdge;
};

// The words drawn; the painter ends where the item left its origin (endY).
std::string drawnBy(MenuItem& item, float rightEdge = 1000.0f, float endY = 0.0f) {
    RecordingPainter painter(rightEdge);
    item.draw(painter);
    std::string all;
    for (const std::string& word : painter.drawn)
        all += (all.empty() ? "" : " ") + word;
    EXPECT_TRUE(painter.saved.empty());
    EXPECT_EQ(painter.x, 0.0f);
    EXPECT_FLOAT_EQ(painter.y, endY);
    return all;
}

void press(MenuItem& item, std::initializer_list<int> keys) {
    for (int key : keys)
        EXPECT_TRUE(item.handleKey(key)) << "key " << key;
}

} // namespace

TEST(BoolGetter, LeftAndRightFlipAndEveryOtherKeyIsIgnored) {
    BoolGetter item(false);
    press(item, {KEY_RETURN, KEY_SPACE, KEY_UP, KEY_0, 'y'});
    EXPECT_FALSE(item.value);
    press(item, {KEY_RIGHT});
    EXPECT_TRUE(item.value);
    press(item, {KEY_LEFT});
    EXPECT_FALSE(item.value);
}

TEST(BoolGetter, DrawsYesAndNoOneCellApartWithTheCurrentWordHighlighted) {
    BoolGetter item(true);
    EXPECT_EQ(drawnBy(item), "*yes@0.0,0.0 no@2.4,0.0");
    item.value = false;
    EXPECT_EQ(drawnBy(item), "yes@0.0,0.0 *no@2.4,0.0");
}

TEST(FloatGetter, StartsFromTheNumberWithSevenSignificantDigits) {
    EXPECT_EQ(FloatGetter<float>(1.0f).text, "1");
    EXPECT_FALSE(FloatGetter<float>(1.0f).hasPoint);
    EXPECT_EQ(FloatGetter<float>(0.5f).text, "0.5");
    EXPECT_TRUE(FloatGetter<float>(0.5f).hasPoint);
    EXPECT_EQ(FloatGetter<float>(0.1f).text, "0.1");
    EXPECT_EQ(FloatGetter<float>(123456789.0f).text, "1.234568e+08");
}

TEST(FloatGetter, BackspaceOverThePointAllowsANewPoint) {
    FloatGetter<float> item(1.5f);
    press(item, {KEY_BACKSPACE});
    EXPECT_EQ(item.text, "1.");
    EXPECT_TRUE(item.hasPoint);
    press(item, {KEY_BACKSPACE});
    EXPECT_EQ(item.text, "1");
    EXPECT_FALSE(item.hasPoint);
    press(item, {KEY_PERIOD, '2', KEY_PERIOD, '5'});
    EXPECT_EQ(item.text, "1.25");
}

TEST(FloatGetter, EditsDownToEmptyAndAcceptsALeadingPoint) {
    FloatGetter<float> item(2.0f);
    press(item, {KEY_BACKSPACE, KEY_BACKSPACE, KEY_BACKSPACE});
    EXPECT_EQ(item.text, "");
    EXPECT_EQ(drawnBy(item), "");
    press(item, {KEY_PERIOD, '7'});
    EXPECT_EQ(item.text, ".7");
    EXPECT_EQ(drawnBy(item), ".7@0.0,0.0");
}

TEST(FloatGetter, IgnoresLettersAndKeysAboveTheAsciiRange) {
    FloatGetter<float> item(3.0f);
    // 304 and 305 would be '0' and '1' if only the low byte counted.
    press(item, {'a', '-', 'e', KEY_LEFT, KEY_RETURN, 256 + KEY_0, 304, 305, 48 + 256 * 2});
    EXPECT_EQ(item.text, "3");
}

TEST(StringPicker, StepsBothWaysWithWrapAround) {
    StringPicker item({"a", "b", "c"}, 0);
    press(item, {KEY_LEFT});
    EXPECT_EQ(item.index, 2u);
    press(item, {KEY_RIGHT});
    EXPECT_EQ(item.index, 0u);
    press(item, {KEY_RIGHT, KEY_RIGHT});
    EXPECT_EQ(item.index, 2u);
    press(item, {KEY_RETURN, KEY_BACKSPACE, '1'});
    EXPECT_EQ(item.index, 2u);
}

TEST(StringPicker, FromNoChoiceRightTakesTheFirstAndLeftTheLast) {
    StringPicker right({"a", "b", "c"}, StringPicker::NO_OPTION);
    EXPECT_FALSE(right.hasChoice());
    press(right, {KEY_RIGHT});
    EXPECT_EQ(right.index, 0u);
    StringPicker left({"a", "b", "c"}, StringPicker::NO_OPTION);
    press(left, {KEY_LEFT});
    EXPECT_EQ(left.index, 2u);
}

TEST(StringPicker, AnEmptyListStaysWithoutChoiceAndDrawsNothing) {
    StringPicker item({}, StringPicker::NO_OPTION);
    press(item, {KEY_LEFT, KEY_RIGHT, KEY_RIGHT});
    EXPECT_EQ(item.index, StringPicker::NO_OPTION);
    EXPECT_EQ(drawnBy(item), "");
}

TEST(StringPicker, DrawsEveryOptionWithOnlyTheChosenOneHighlighted) {
    StringPicker item({"640x480", "800x600"}, 1);
    EXPECT_EQ(drawnBy(item), "640x480@0.0,0.0 *800x600@4.8,0.0");
    item.index = StringPicker::NO_OPTION;
    EXPECT_EQ(drawnBy(item), "640x480@0.0,0.0 800x600@4.8,0.0");
}

TEST(StringPicker, WrapsAWordThatWouldCrossTheRightEdgeToANewLine) {
    StringPicker item({"aaaa", "bbbb", "cccc", "dd"}, 2);
    // Each word takes 3 units; the edge at 7 leaves room for two per line. The origin is
    // left at the start of the last line, so what the menu draws next comes below it.
    EXPECT_EQ(drawnBy(item, 7.0f, -1.2f), "aaaa@0.0,0.0 bbbb@3.0,0.0 *cccc@0.0,-1.2 dd@3.0,-1.2");
    // A word wider than the whole line moves down even from the start of a line, and so
    // does the word after it.
    StringPicker wide({"wwwwwwwwwwwwwwwwwwww", "x"}, 0);
    EXPECT_EQ(drawnBy(wide, 7.0f, -2.4f), "*wwwwwwwwwwwwwwwwwwww@0.0,-1.2 x@0.0,-2.4");
}

TEST(IntGetter, TypesDigitsAndBackspaceDropsTheLastOne) {
    IntGetter<unsigned int> item(0);
    EXPECT_EQ(drawnBy(item), "");
    press(item, {'1', '2', KEY_BACKSPACE, '5'});
    EXPECT_EQ(item.value, 15u);
    EXPECT_EQ(drawnBy(item), "15@0.0,0.0");
    IntGetter<unsigned int> seven(7);
    press(seven, {KEY_BACKSPACE});
    EXPECT_EQ(seven.value, 0u);
    EXPECT_EQ(drawnBy(seven), "");
    press(seven, {KEY_BACKSPACE});
    EXPECT_EQ(seven.value, 0u);
}

TEST(IntGetter, IgnoresOtherKeysIncludingThoseAboveTheAsciiRange) {
    IntGetter<unsigned int> item(4);
    press(item, {KEY_PERIOD, 'a', KEY_LEFT, KEY_RIGHT, KEY_RETURN, KEY_SPACE, 304, 305});
    EXPECT_EQ(item.value, 4u);
}

TEST(IntGetter, WrapsModuloTwoToTheThirtyTwoAndShowsTheUnsignedValue) {
    IntGetter<unsigned int> item(429496729);
    press(item, {'6'});
    EXPECT_EQ(item.value, 0u); // 4294967296 wraps to 0
    IntGetter<unsigned int> big(429496729);
    press(big, {'5'});
    EXPECT_EQ(big.value, 4294967295u);
    EXPECT_EQ(drawnBy(big), "4294967295@0.0,0.0");
    press(big, {'9'});
    EXPECT_EQ(big.value, 4294967295u * 10u + 9u);
}

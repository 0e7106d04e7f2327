#include "menus/ItemValueLines.h"

#include "render/MenuPainter.h"
#include "render/TextLayout.h"

#include <algorithm>
#include <cmath>

namespace {

// Follows the origin as a value is drawn at valueX with glyphs scale high, and notes the
// lowest line a word is drawn on. The right edge is the window's, as the drawing's is.
class LineCounter final : public MenuPainter {
public:
    LineCounter(float valueX, float scale) : valueX(valueX), scale(scale) {}

    void drawWord(const std::string&) override { lowestY = std::min(lowestY, originY); }
    void drawHighlightedWord(const std::string& text) override { drawWord(text); }
    void moveBy(float x, float y) override {
        originX += x;
        originY += y;
    }
    void saveOrigin() override { saved.push_back({originX, originY}); }
    void restoreOrigin() override {
        if (saved.empty())
            return;
        originX = saved.back().first;
        originY = saved.back().second;
        saved.pop_back();
    }
    bool isBeyondRightEdge(float x) override { return valueX + (originX + x) * scale > 1.0f; }

    int countLines() const { return 1 + static_cast<int>(std::lround(-lowestY / TEXT_LINE_PITCH)); }

private:
    float valueX;
    float scale;
    float originX = 0.0f;
    float originY = 0.0f;
    float lowestY = 0.0f;
    std::vector<std::pair<float, float>> saved;
};

} // namespace

std::vector<int> countValueLines(MenuEntries& items, const ItemMenuShape& shape) {
    std::vector<int> lines;
    const float valueX = shape.labelX + shape.valueOffset * shape.scale;
    for (MenuEntry& entry : items) {
        LineCounter counter(valueX, shape.scale);
        entry.item.draw(counter);
        lines.push_back(counter.countLines());
    }
    return lines;
}

ItemMenuLayout layOutItems(MenuEntries& items, const ItemMenuShape& shape) {
    return layOutItemMenu(shape, countValueLines(items, shape));
}

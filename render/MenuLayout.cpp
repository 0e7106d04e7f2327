#include "render/MenuLayout.h"

#include "render/OverlayLayout.h"
#include "render/TextLayout.h"

#include <algorithm>

namespace {

// The area of a line of glyphs scale high whose neighbours stand pitch glyphs apart: the
// glyphs and half the gap on either side.
MenuRect surroundLine(float left, float right, float baseline, float scale, float pitch) {
    const float halfGap = (pitch - 1.0f) / 2 * scale;
    return {left, baseline - halfGap, right, baseline + scale + halfGap};
}

MenuLine placeListText(float baseline) {
    return {LIST_LEFT, baseline, LIST_SCALE,
            surroundLine(LIST_LEFT, LIST_RIGHT, baseline, LIST_SCALE, LIST_LINE_PITCH)};
}

} // namespace

bool MenuRect::contains(MenuPoint point) const {
    return point.x >= left && point.x < right && point.y >= bottom && point.y < top;
}

MenuPoint toMenuPoint(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0)
        return {-2.0f, -2.0f};
    return {(static_cast<float>(x) + 0.5f) / static_cast<float>(width) * 2 - 1,
            1 - (static_cast<float>(y) + 0.5f) / static_cast<float>(height) * 2};
}

MenuLine placeMainMenuLine(std::size_t index) {
    const float baseline =
        MAIN_FIRST_BASELINE - static_cast<float>(index) * MAIN_LINE_PITCH * MAIN_LINE_SCALE;
    const float halfWidth = MAIN_PANEL_HALF_WIDTH * MAIN_LINE_SCALE;
    return {0.0f, baseline, MAIN_LINE_SCALE,
            surroundLine(-halfWidth, halfWidth, baseline, MAIN_LINE_SCALE, MAIN_LINE_PITCH)};
}

MenuLine placeListTitle() {
    return placeListText(LIST_TITLE_BASELINE);
}

MenuLine placeListLine(std::size_t row) {
    return placeListText(LIST_TITLE_BASELINE -
                         static_cast<float>(row + 1) * LIST_LINE_PITCH * LIST_SCALE);
}

MenuRect surroundList(std::size_t rows) {
    const float padding = BAND_PADDING * LIST_SCALE;
    const MenuLine last = rows == 0 ? placeListTitle() : placeListLine(rows - 1);
    return {LIST_LEFT - padding, last.baseline - padding, LIST_RIGHT + padding,
            LIST_TITLE_BASELINE + LIST_SCALE + padding};
}

ItemMenuLayout layOutItemMenu(const ItemMenuShape& shape, const std::vector<int>& valueLines) {
    ItemMenuLayout layout{{}, shape.firstBaseline};
    const float valueX = shape.labelX + shape.valueOffset * shape.scale;
    // The pointer's split between label and value: half a character left of the values.
    const float split = valueX - TEXT_ADVANCE / 2 * shape.scale;
    const float halfGap = (ITEM_ROW_PITCH - 1.0f) / 2 * shape.scale;
    for (int lines : valueLines) {
        const float baseline = layout.endBaseline;
        // Every line a value wraps onto stands a line pitch lower, and so do the rows below.
        const float wrapDrop =
            static_cast<float>(std::max(lines, 1) - 1) * TEXT_LINE_PITCH * shape.scale;
        const float top = baseline + shape.scale + halfGap;
        const float bottom = baseline - wrapDrop - halfGap;
        layout.rows.push_back(
            {{shape.labelX, baseline, shape.scale, {shape.left, bottom, split, top}},
             valueX,
             {split, bottom, 1.0f, top}});
        layout.endBaseline = baseline - wrapDrop - ITEM_ROW_PITCH * shape.scale;
    }
    return layout;
}

MenuRect surroundItemMenu(const ItemMenuLayout& layout, float bottom) {
    if (layout.rows.empty())
        return {0.0f, 0.0f, 0.0f, 0.0f};
    const MenuLine& first = layout.rows.front().label;
    const float padding = BAND_PADDING * first.scale;
    return {first.area.left - padding, bottom - padding, 1.0f,
            first.baseline + first.scale + padding};
}

float findCreditsEntryDrop(int nameLineFeeds, int roleLineFeeds) {
    return 2.0f + 1.5f * static_cast<float>(std::max(nameLineFeeds, roleLineFeeds));
}

MenuRect surroundCredits(float scroll, float textDrop) {
    const float padding = BAND_PADDING * CREDITS_SCALE;
    // The a-umlaut's dots stand a fifth of a glyph above the first line.
    const float top = scroll + 1.2f * CREDITS_SCALE + padding;
    return {CREDITS_LEFT - padding, scroll - textDrop * CREDITS_SCALE - padding, 1.0f - padding,
            top};
}

CornerLine placeCornerLine(const std::string& text, const MenuRect& room, int width, int height) {
    CornerLine line{
        room.right, room.bottom, 0.0f, 0.0f, {room.right, room.bottom, room.right, room.bottom}};
    if (width <= 0 || height <= 0)
        return line;
    const TextExtent extent = measureText(text, ALIGN_RIGHT);
    const float reachLeft = -extent.left; // glyph heights left of the text's end
    const float roomWidthPixels = (room.right - room.left) / 2 * static_cast<float>(width);
    const float roomHeightPixels = (room.top - room.bottom) / 2 * static_cast<float>(height);
    float glyphPixels = std::min(roomHeightPixels, HINT_MAX_HEIGHT * static_cast<float>(height));
    if (reachLeft > 0.0f)
        glyphPixels = std::min(glyphPixels, roomWidthPixels / reachLeft);
    line.scaleX = glyphPixels * 2 / static_cast<float>(width);
    line.scaleY = glyphPixels * 2 / static_cast<float>(height);
    const float padX = BAND_PADDING * line.scaleX;
    const float padY = BAND_PADDING * line.scaleY;
    line.band = {room.right + extent.left * line.scaleX - padX, room.bottom - padY,
                 room.right + extent.right * line.scaleX + padX, room.bottom + line.scaleY + padY};
    return line;
}

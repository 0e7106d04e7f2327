#include "render/OverlayLayout.h"

#include "render/TextLayout.h"

#include <algorithm>

namespace {

// The hint lines: their pitch, and the room below the last one and beside the widest, in
// glyph heights.
constexpr float HINT_LINE_PITCH = 1.6f;
constexpr float HINT_MARGIN = 0.6f;
constexpr float HINT_SIDE_ROOM = 0.03f; // of the window's width, on each side
// Room between a band's edges and its texts, in glyph heights.
constexpr float BAND_PADDING = 0.3f;
// Room between the bands and the whole-board view below them, in overlay units.
constexpr float WHOLE_VIEW_GAP = 0.01f;

// A band around one line of text at the clock's size whose base line starts (or, right
// aligned, ends) at x, y.
Band placeLineBand(const std::string& text, int align, float x, float y) {
    const TextExtent extent = measureText(text, align);
    const float pad = BAND_PADDING * CLOCK_SCALE;
    return {x + extent.left * CLOCK_SCALE - pad, y - pad, x + extent.right * CLOCK_SCALE + pad,
            y + CLOCK_SCALE + pad};
}

} // namespace

float findClockBottom(bool hasLimit) {
    return hasLimit ? CLOCK_Y - TEXT_LINE_PITCH * CLOCK_SCALE : CLOCK_Y;
}

Band placeClockBand(const std::string& elapsed, const std::string& limit) {
    Band band = placeLineBand(elapsed, ALIGN_LEFT, CLOCK_X, CLOCK_Y);
    if (limit.empty())
        return band;
    const Band below = placeLineBand(limit, ALIGN_LEFT, CLOCK_X, findClockBottom(true));
    return {std::min(band.left, below.left), below.bottom, std::max(band.right, below.right),
            band.top};
}

Band placeFrameRateBand(const std::string& frameRate) {
    return placeLineBand(frameRate, ALIGN_RIGHT, FRAME_RATE_X, FRAME_RATE_Y);
}

float findWholeViewTop(bool hasLimit) {
    return findClockBottom(hasLimit) - BAND_PADDING * CLOCK_SCALE - WHOLE_VIEW_GAP;
}

PanelPlacement placePanel(float heightUnits, float ceiling, float floor) {
    const float height = heightUnits * PANEL_UNIT;
    const float top = std::min(height / 2, ceiling - PANEL_CLEARANCE);
    const float room = top - (floor + PANEL_CLEARANCE);
    if (height <= room)
        return {top, 1.0f};
    return {top, std::max(room, 0.0f) / height};
}

BottomLines layOutBottomLines(const std::vector<std::string>& lines, int width, int height) {
    BottomLines layout{0.0f, 0.0f, {}, -1.0f};
    if (lines.empty() || width <= 0 || height <= 0)
        return layout;
    float widest = 0.0f;
    for (const std::string& line : lines) {
        const TextExtent extent = measureText(line, ALIGN_CENTRE);
        widest = std::max(widest, extent.right - extent.left);
    }
    const float usable = static_cast<float>(width) * (1.0f - 2 * HINT_SIDE_ROOM);
    float glyphPixels = static_cast<float>(height) * HINT_MAX_HEIGHT;
    if (widest > 0.0f)
        glyphPixels = std::min(glyphPixels, usable / widest);
    layout.scaleX = glyphPixels * 2 / static_cast<float>(width);
    layout.scaleY = glyphPixels * 2 / static_cast<float>(height);
    const std::size_t count = lines.size();
    for (std::size_t i = 0; i < count; ++i) {
        const float linesBelow = static_cast<float>(count - 1 - i);
        layout.baselines.push_back(-1.0f +
                                   (HINT_MARGIN + linesBelow * HINT_LINE_PITCH) * layout.scaleY);
    }
    layout.top = layout.baselines.front() + (1.0f + HINT_MARGIN) * layout.scaleY;
    return layout;
}

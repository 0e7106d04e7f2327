#include "render/gl/HintDrawing.h"

#include "render/OverlayLayout.h"
#include "render/Palette.h"
#include "render/gl/GlState.h"
#include "render/gl/PlayDrawing.h"
#include "render/gl/RectangleDrawing.h"
#include "render/gl/TextDrawing.h"

#include <GL/gl.h>

namespace {

// Glyphs this many pixels high and more are drawn with two-pixel lines.
constexpr float BOLD_GLYPH_PIXELS = 20.0f;

void drawStrip(float top) {
    useColour(HINT_STRIP_COLOUR);
    fillRectangle(-1.0f, -1.0f, 1.0f, top);
}

} // namespace

void useHintLineWidth(float glyphPixels) {
    glLineWidth(glyphPixels >= BOLD_GLYPH_PIXELS ? 2.0f : 1.0f);
}

void drawHintLines(const std::vector<std::string>& lines) {
    if (lines.empty())
        return;
    const ViewportSize size = readViewportSize();
    const BottomLines layout = layOutBottomLines(lines, size.width, size.height);
    enterOverlayMode();
    useHintState();
    expectGlState(__func__, {GlFact::ModelViewMatrix});
    glLoadIdentity();
    drawStrip(layout.top);
    useHintLineWidth(layout.scaleY * static_cast<float>(size.height) / 2);
    useColour(HINT_TEXT_COLOUR);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        glPushMatrix();
        glTranslatef(0.0f, layout.baselines[i], 0.0f);
        glScalef(layout.scaleX, layout.scaleY, 1.0f);
        drawText(glyphTable, lines[i], ALIGN_CENTRE);
        glPopMatrix();
    }
    glLineWidth(1.0f);
    leaveHintState();
    leaveOverlayMode();
}

#include "render/gl/MenuBands.h"

#include "render/OverlayLayout.h"
#include "render/Palette.h"
#include "render/gl/GlState.h"
#include "render/gl/HintDrawing.h"
#include "render/gl/RectangleDrawing.h"
#include "render/gl/TextDrawing.h"

#include <GL/gl.h>

#include <vector>

namespace {

// One line of glyphs scaleX by scaleY with its origin at (x, baseline).
void drawLine(const std::string& text, float x, float baseline, float scaleX, float scaleY,
              int align) {
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(x, baseline, 0.0f);
    glScalef(scaleX, scaleY, 1.0f);
    drawText(glyphTable, text, align);
    glPopMatrix();
}

// The note above the keys, when there is one.
std::vector<std::string> listKeyLines(const std::string& note, const std::string& keys) {
    std::vector<std::string> lines;
    if (!note.empty())
        lines.push_back(note);
    lines.push_back(keys);
    return lines;
}

} // namespace

void drawBand(const MenuRect& band) {
    expectGlState(__func__, {GlFact::BlendingOff, GlFact::ModelViewMatrix});
    glPushMatrix();
    glLoadIdentity();
    usePanelBlending();
    useColour(MENU_BAND_COLOUR);
    fillRectangle(band.left, band.bottom, band.right, band.top);
    leavePanelBlending();
    glPopMatrix();
}

float findBottomKeyStripTop(const std::string& note, const std::string& keys) {
    const ViewportSize size = readViewportSize();
    return layOutBottomLines(listKeyLines(note, keys), size.width, size.height).top;
}

void drawBottomKeyLines(const std::string& note, const std::string& keys) {
    const std::vector<std::string> lines = listKeyLines(note, keys);
    const ViewportSize size = readViewportSize();
    const BottomLines layout = layOutBottomLines(lines, size.width, size.height);
    drawBand({-1.0f, -1.0f, 1.0f, layout.top});
    useHintLineWidth(layout.scaleY * static_cast<float>(size.height) / 2);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool isNote = i + 1 < lines.size();
        useColour(isNote ? NOTE_COLOUR : MENU_KEYS_COLOUR);
        drawLine(lines[i], 0.0f, layout.baselines[i], layout.scaleX, layout.scaleY, ALIGN_CENTRE);
    }
    glLineWidth(1.0f);
}

void drawCornerKeyLine(const std::string& keys, const MenuRect& room, bool banded) {
    const ViewportSize size = readViewportSize();
    const CornerLine line = placeCornerLine(keys, room, size.width, size.height);
    if (banded)
        drawBand(line.band);
    useHintLineWidth(line.scaleY * static_cast<float>(size.height) / 2);
    useColour(MENU_KEYS_COLOUR);
    drawLine(keys, line.right, line.baseline, line.scaleX, line.scaleY, ALIGN_RIGHT);
    glLineWidth(1.0f);
}

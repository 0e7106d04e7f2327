#include "render/gl/TextDrawing.h"

#include "render/gl/GlState.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

GlyphTable glyphTable{};

namespace {

class GlTextSink final : public TextSink {
public:
    void pushMatrix() override { glPushMatrix(); }
    void popMatrix() override { glPopMatrix(); }
    void translate(float x, float y) override { glTranslatef(x, y, 0.0f); }
    void beginLines() override { glBegin(GL_LINES); }
    void beginPoints() override { glBegin(GL_POINTS); }
    void end() override { glEnd(); }
    void vertex(float x, float y) override { glVertex2f(x, y); }
};

// How high a glyph stands on the window, in pixels: the length that the projection and the
// model-view matrix give a unit upwards, in the viewport's height.
float readGlyphPixels() {
    GLfloat projection[16], modelView[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    float up[2] = {0.0f, 0.0f}; // x and y of the projected unit
    for (int row = 0; row < 2; ++row)
        for (int k = 0; k < 4; ++k)
            up[row] += projection[row + 4 * k] * modelView[4 + k];
    return std::hypot(up[0], up[1]) * static_cast<float>(readViewportSize().height) / 2;
}

} // namespace

// A full stop takes the caller's point size, but never one too small to read at the size
// the text stands on the window.
int drawText(const GlyphTable& table, const char* text, int align) {
    expectGlState(__func__, {GlFact::ModelViewMatrix});
    GlTextSink sink;
    if (std::strchr(text, '.') == nullptr)
        return emitText(table, text, align, sink);
    GLfloat pointSize = 1.0f;
    glGetFloatv(GL_POINT_SIZE, &pointSize);
    glPointSize(std::max(pointSize, findDotPixels(readGlyphPixels())));
    const int lineFeeds = emitText(table, text, align, sink);
    glPointSize(pointSize);
    return lineFeeds;
}

#include "render/gl/TextDrawing.h"

#include "render/gl/GlState.h"

#include <GL/gl.h>

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

} // namespace

int drawText(const GlyphTable& table, const char* text, int align) {
    expectGlState(__func__, {GlFact::ModelViewMatrix});
    GlTextSink sink;
    return emitText(table, text, align, sink);
}

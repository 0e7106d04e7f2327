#include "render/gl/GlMenuPainter.h"

#include "render/gl/GlState.h"
#include "render/gl/TextDrawing.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

void GlMenuPainter::drawWord(const std::string& text) {
    drawText(glyphTable, text.c_str(), ALIGN_LEFT);
}

void GlMenuPainter::drawHighlightedWord(const std::string& text) {
    GLfloat width = 1.0f;
    GLfloat colour[4];
    glGetFloatv(GL_LINE_WIDTH, &width);
    glGetFloatv(GL_CURRENT_COLOR, colour);
    // A wide stroke in the highlight colour, then the normal stroke over it: an outline.
    glLineWidth(std::max(1.5f * width, width + 2.0f));
    useColour(highlight);
    drawWord(text);
    glLineWidth(width);
    glColor4fv(colour);
    drawWord(text);
}

void GlMenuPainter::moveBy(float x, float y) {
    glTranslatef(x, y, 0.0f);
}

void GlMenuPainter::saveOrigin() {
    glPushMatrix();
}

void GlMenuPainter::restoreOrigin() {
    glPopMatrix();
}

bool GlMenuPainter::isBeyondRightEdge(float x) {
    GLdouble modelview[16];
    GLdouble projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble windowX = 0.0;
    GLdouble windowY = 0.0;
    GLdouble windowZ = 0.0;
    gluProject(x, 0.0, 0.0, modelview, projection, viewport, &windowX, &windowY, &windowZ);
    return windowX > viewport[2];
}

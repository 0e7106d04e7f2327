#include "render/gl/GlState.h"

#include "render/Palette.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#ifdef TIRVA_CHECK_GL_STATE
#include <cstdio>
#endif

namespace {

enum class Projection { Flat, Perspective };

// The projection selected last, so a new video mode can have it again at its own size.
Projection projectionInForce = Projection::Flat;

// The whole window's viewport while the scene is drawn into part of it.
GLint wholeViewport[4] = {0, 0, 0, 0};

} // namespace

ViewportSize readViewportSize() {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    return {viewport[2], viewport[3]};
}

int readDepthBits() {
    GLint depthBits = 16;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    return depthBits;
}

// The ball list is replayed scaled; without GL_NORMALIZE its normals would grow with the scale
// and wash its grey out to white. The light's direction is taken through the model-view
// matrix in force, so it is placed with the identity: a new video mode during play would
// otherwise aim it through the last frame's clock matrix.
void useFixedState() {
    expectGlState(__func__, {GlFact::ModelViewMatrix});
    const GLfloat lightDirection[] = {1.0f, -1.0f, 1.0f, 0.0f};
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0.0f);
    glEnable(GL_NORMALIZE);
    glEnable(GL_LIGHT0);
    glPushMatrix();
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_POSITION, lightDirection);
    glPopMatrix();
    glClearColor(CLEAR_COLOUR.r, CLEAR_COLOUR.g, CLEAR_COLOUR.b, CLEAR_COLOUR.a);
}

void useColour(const Colour& colour) {
    glColor4f(colour.r, colour.g, colour.b, colour.a);
}

void useFlatProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    projectionInForce = Projection::Flat;
}

void usePerspectiveProjection() {
    usePerspectiveProjection(0.1, 1000.0);
}

void usePerspectiveProjection(double nearPlane, double farPlane) {
    const ViewportSize size = readViewportSize();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(size.width) / size.height, nearPlane, farPlane);
    glMatrixMode(GL_MODELVIEW);
    projectionInForce = Projection::Perspective;
}

void useLowerViewport(float top) {
    glGetIntegerv(GL_VIEWPORT, wholeViewport);
    glViewport(wholeViewport[0], wholeViewport[1], wholeViewport[2],
               std::max(1, static_cast<GLint>(std::lround(wholeViewport[3] * (top + 1.0f) / 2))));
}

void leaveLowerViewport() {
    glViewport(wholeViewport[0], wholeViewport[1], wholeViewport[2], wholeViewport[3]);
}

void useProjectionAgain() {
    if (projectionInForce == Projection::Perspective)
        usePerspectiveProjection();
    else
        useFlatProjection();
}

void useSceneState() {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glEnable(GL_LIGHTING);
    usePerspectiveProjection();
    glEnable(GL_TEXTURE_2D);
    expectGlState(__func__, {GlFact::DepthTestOn, GlFact::CullingOn, GlFact::LightingOn,
                             GlFact::TexturingOn, GlFact::ModelViewMatrix});
}

void useMenuState() {
    useFlatProjection();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    expectGlState(__func__, {GlFact::TexturingOff, GlFact::DepthTestOff, GlFact::LightingOff,
                             GlFact::ModelViewMatrix});
}

void useUnpaddedPixelRows() {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

void useBallMaterial() {
    const GLfloat ballSpecular[] = {0.2f, 0.2f, 0.2f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, ballSpecular);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
}

void leaveBallMaterial() {
    const GLfloat noSpecular[] = {0.0f, 0.0f, 0.0f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, noSpecular);
}

void useWallState(unsigned wallTexture) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, wallTexture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_POLYGON_OFFSET_FILL);
}

void usePolygonOffset(float factor, float units) {
    glPolygonOffset(factor, units);
}

void useGoalDiscState() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
}

void useHoleCutState() {
    glDisable(GL_BLEND);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
}

void useFloorState(unsigned floorTexture) {
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDrawBuffer(GL_BACK);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, floorTexture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void usePictureTexture(unsigned pageTexture) {
    glBindTexture(GL_TEXTURE_2D, pageTexture);
}

void useClockState() {
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    expectGlState(__func__, {GlFact::DepthTestOff, GlFact::TexturingOff, GlFact::LightingOff,
                             GlFact::BlendingOn});
}

void leaveClockState() {
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    expectGlState(__func__, {GlFact::BlendingOff, GlFact::DepthTestOn, GlFact::DepthWritesOn});
}

void useOverlayState() {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    expectGlState(__func__, {GlFact::TexturingOff, GlFact::DepthTestOff, GlFact::LightingOff,
                             GlFact::BlendingOn});
}

void leaveOverlayState() {
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    expectGlState(__func__, {GlFact::BlendingOff, GlFact::DepthTestOn, GlFact::LightingOn});
}

void useHintState() {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    expectGlState(__func__, {GlFact::TexturingOff, GlFact::DepthTestOff, GlFact::LightingOff,
                             GlFact::BlendingOn});
}

void leaveHintState() {
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    expectGlState(__func__, {GlFact::BlendingOff, GlFact::DepthTestOn});
}

void useTitleBallLighting() {
    glEnable(GL_LIGHTING);
}

void leaveTitleBallLighting() {
    glDisable(GL_LIGHTING);
}

void usePanelBlending() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void leavePanelBlending() {
    glDisable(GL_BLEND);
}

void useClipAbove(int bottomRow) {
    const ViewportSize size = readViewportSize();
    glScissor(0, bottomRow, size.width, size.height - bottomRow);
    glEnable(GL_SCISSOR_TEST);
}

void leaveClip() {
    glDisable(GL_SCISSOR_TEST);
}

void useBackgroundTexturing(unsigned texture) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
}

void leaveBackgroundTexturing() {
    glDisable(GL_TEXTURE_2D);
}

#ifdef TIRVA_CHECK_GL_STATE

namespace {

struct FactQuery {
    GlFact fact;
    const char* name;
    GLenum query; // a capability for glIsEnabled, or one of the three read with glGet
    GLint expected;
};

constexpr FactQuery FACT_QUERIES[] = {
    {GlFact::DepthTestOn, "depth test on", GL_DEPTH_TEST, GL_TRUE},
    {GlFact::DepthTestOff, "depth test off", GL_DEPTH_TEST, GL_FALSE},
    {GlFact::DepthWritesOn, "depth writes on", GL_DEPTH_WRITEMASK, GL_TRUE},
    {GlFact::ColourWritesOn, "colour writes on", GL_COLOR_WRITEMASK, GL_TRUE},
    {GlFact::ColourWritesOff, "colour writes off", GL_COLOR_WRITEMASK, GL_FALSE},
    {GlFact::CullingOn, "face culling on", GL_CULL_FACE, GL_TRUE},
    {GlFact::LightingOn, "lighting on", GL_LIGHTING, GL_TRUE},
    {GlFact::LightingOff, "lighting off", GL_LIGHTING, GL_FALSE},
    {GlFact::TexturingOn, "texturing on", GL_TEXTURE_2D, GL_TRUE},
    {GlFact::TexturingOff, "texturing off", GL_TEXTURE_2D, GL_FALSE},
    {GlFact::BlendingOn, "blending on", GL_BLEND, GL_TRUE},
    {GlFact::BlendingOff, "blending off", GL_BLEND, GL_FALSE},
    {GlFact::PolygonOffsetOn, "polygon offset fill on", GL_POLYGON_OFFSET_FILL, GL_TRUE},
    {GlFact::PolygonOffsetOff, "polygon offset fill off", GL_POLYGON_OFFSET_FILL, GL_FALSE},
    {GlFact::ModelViewMatrix, "matrix mode model-view", GL_MATRIX_MODE, GL_MODELVIEW},
};

// Colour writes count as on or off only when all four channels agree.
GLint readFact(GLenum query) {
    switch (query) {
    case GL_DEPTH_WRITEMASK: {
        GLboolean mask = GL_FALSE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
        return mask;
    }
    case GL_COLOR_WRITEMASK: {
        GLboolean mask[4] = {GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE};
        glGetBooleanv(GL_COLOR_WRITEMASK, mask);
        const int on = mask[0] + mask[1] + mask[2] + mask[3];
        return on == 4 ? GL_TRUE : on == 0 ? GL_FALSE : -1;
    }
    case GL_MATRIX_MODE: {
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        return mode;
    }
    default:
        return glIsEnabled(query);
    }
}

bool isCompilingList() {
    GLint list = 0;
    glGetIntegerv(GL_LIST_INDEX, &list);
    return list != 0;
}

} // namespace

void expectGlState(const char* function, std::initializer_list<GlFact> facts) {
    if (isCompilingList())
        return;
    for (GlFact fact : facts)
        for (const FactQuery& query : FACT_QUERIES)
            if (query.fact == fact && readFact(query.query) != query.expected)
                std::fprintf(stderr, "GL state check: %s expects %s\n", function, query.name);
}

void expectGlList(const char* function, unsigned list) {
    if (!glIsList(list))
        std::fprintf(stderr, "GL state check: %s expects display list %u\n", function, list);
}

#endif

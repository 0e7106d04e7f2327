#pragma once
// The one owner of OpenGL state: every named drawing state is one function here whose body is
// its exact call sequence. Drawing code asks for a state by name and, in checked builds (the
// debug build and the tests' checked programs), checks what it expects with expectGlState.

#include <initializer_list>

struct Colour;

// The part of the window OpenGL draws into, in pixels: the display sets it to the whole
// window on every video-mode open.
struct ViewportSize {
    int width;
    int height;
};

// One fact about the OpenGL state that a drawing function can rely on.
enum class GlFact {
    DepthTestOn,
    DepthTestOff,
    DepthWritesOn,
    ColourWritesOn,
    ColourWritesOff,
    CullingOn,
    LightingOn,
    LightingOff,
    TexturingOn,
    TexturingOff,
    BlendingOn,
    BlendingOff,
    PolygonOffsetOn,
    PolygonOffsetOff,
    ModelViewMatrix, // matrix mode model-view
};

ViewportSize readViewportSize();
// Bits of the depth buffer the context was given.
int readDepthBits();

// Colour material, light 0 from the upper right front, normalised normals, the palette's
// clear colour. Set after each video-mode open, before anything is drawn.
void useFixedState();
// The colour of what is drawn next. In a display list it is recorded like the states below.
void useColour(const Colour& colour);
// The identity projection: x and y from -1 to 1 across the window. Leaves: matrix mode
// model-view.
void useFlatProjection();
// 45 degrees vertically at the viewport's aspect ratio, between planes at 0.1 and 1000.
// Leaves: matrix mode model-view.
void usePerspectiveProjection();
// The same between planes of the frame's own: they change the depth buffer's resolution and
// reach, never where a point lands on the screen. Leaves: matrix mode model-view.
void usePerspectiveProjection(double nearPlane, double farPlane);
// The viewport of the lower part of the window, up to top in overlay units (-1 to 1): the
// scene drawn into it leaves the window above to what is drawn over the scene.
// leaveLowerViewport gives the whole window back.
void useLowerViewport(float top);
void leaveLowerViewport();
// The projection selected last, again: after a new video mode, a perspective takes the new
// window's aspect ratio. Leaves: matrix mode model-view.
void useProjectionAgain();
// Depth test, culling, lighting, perspective, texturing: the state of a frame of play.
void useSceneState();
// Flat projection, no texturing, no depth test, no lighting: the state of every menu.
void useMenuState();

// The states below are recorded into display lists as well as run directly; a list records
// them as called, so their order inside the list is the order of the drawing.

// Texture uploads read rows of pixels with no padding between them, as pure code lays out
// its images.
void useUnpaddedPixelRows();

// The ball's own specular highlight, texturing off, lighting on; leaveBallMaterial takes the
// highlight back so nothing else shines.
void useBallMaterial();
void leaveBallMaterial();
// Textured, modulated walls, each pass pulled by its own polygon offset.
void useWallState(unsigned wallTexture);
// The polygon offset of the pass that follows; units count the depth buffer's own steps.
void usePolygonOffset(float factor, float units);
// Translucent flat discs over the walls' offset: blending on, texturing and lighting off.
void useGoalDiscState();
// Depth only: blending off and every colour channel write-protected.
void useHoleCutState();
// The textured, lit, opaque floor with ordinary depth testing; what the board's drawing leaves.
void useFloorState(unsigned floorTexture);
// A page of the board's picture in place of the floor texture, in the floor state.
void usePictureTexture(unsigned pageTexture);

// The clock over the scene, on its translucent bands: no depth test or writes, texturing and
// lighting off, blending on.
void useClockState();
// Back to depth testing and writes after the clock, blending off; texturing and lighting stay
// off.
void leaveClockState();
// The result overlay over the scene: translucent, flat, no depth test.
void useOverlayState();
// Back to the scene's depth test and lighting after the overlay; blending off.
void leaveOverlayState();

// The hint lines over play or the overlay: translucent, flat, no depth test.
void useHintState();
// Back to depth testing, blending off; texturing and lighting stay off.
void leaveHintState();

// The title ball of the main menu is lit while everything else in the menus is not.
void useTitleBallLighting();
void leaveTitleBallLighting();
// The main menu's translucent panel.
void usePanelBlending();
void leavePanelBlending();
// Draws only above the given row of pixels, counted from the window's bottom: the credits
// rise from behind their key strip, not through it.
void useClipAbove(int bottomRow);
void leaveClip();
// The menu background: its texture replaces the colour.
void useBackgroundTexturing(unsigned texture);
void leaveBackgroundTexturing();

#ifdef TIRVA_CHECK_GL_STATE
// Prints one standard error line "GL state check: FUNCTION expects FACT" for each fact that
// does not hold. Checks nothing while a display list is being compiled: the state then is that
// of compile time, not of the replay.
void expectGlState(const char* function, std::initializer_list<GlFact> facts);
// Prints "GL state check: FUNCTION expects display list N" when list is not defined.
void expectGlList(const char* function, unsigned list);
#else
// Shipped builds check nothing, and the calls compile away.
inline void expectGlState(const char*, std::initializer_list<GlFact>) {}
inline void expectGlList(const char*, unsigned) {}
#endif

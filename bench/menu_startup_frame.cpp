// The game's own start-up as far as drawing goes, with the slowest menu background: the
// display set-up, the font, the board textures, the background of the slowest of the
// eighteen constants, and the first menu frame over it. Prints the wall-clock time at which
// that frame is on screen, like minimal_sdl_frame.

#include "app/Display.h"
#include "render/JuliaBackground.h"
#include "render/MenuBackground.h"
#include "render/Renderer.h"
#include "render/TextDrawing.h"

#include <SDL.h>
#include <GL/gl.h>

#include <cstdio>
#include <ctime>

namespace {

constexpr int SLOWEST_CONSTANT = 2; // -0.726 + 0.188i: the most iterations of the eighteen

// Stands in for generateMenuBackground, whose draw of the random generator may pick any
// constant, with the upload it does.
void generateSlowestBackground() {
    menuBackground.pixels = generateBackgroundImage(JULIA_CONSTANTS[SLOWEST_CONSTANT]);
    GLuint name = 0;
    glGenTextures(1, &name);
    menuBackground.texture = name;
    reloadMenuBackground();
}

} // namespace

int main(int, char**) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;
    openDisplay(640, 480, false);
    loadGlyphs(glyphTable, "alpha.lcd");
    Renderer renderer;
    generateSlowestBackground();
    useMenuState();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawMenuBackground(menuBackground);
    glScalef(0.1f, 0.1f, 1.0f);
    drawText(glyphTable, "tirva", ALIGN_CENTRE);
    SDL_GL_SwapBuffers();
    glFinish();
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    std::printf("first frame %ld.%09ld\n", static_cast<long>(now.tv_sec), now.tv_nsec);
    SDL_Quit();
    return 0;
}

#include "app/gl/Display.h"

#include "base/Settings.h"

#include <SDL.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

SDL_Surface* screenSurface = nullptr;
ModeList modeList;

namespace {

void (*restoreAfterReopen)() = nullptr;

[[noreturn]] void failDisplay() {
    std::fprintf(stderr, "Fatal error: couldn't initialize SDL screen!\n");
    std::exit(200);
}

void setVideoMode(int width, int height, bool fullscreen) {
    Uint32 flags = SDL_OPENGL | SDL_RESIZABLE | (fullscreen ? SDL_FULLSCREEN : 0);
    SDL_Surface* surface = SDL_SetVideoMode(width, height, 0, flags);
    if (surface == nullptr)
        failDisplay();
    screenSurface = surface;
    glViewport(0, 0, width, height);
}

void printGlAttributes() {
    int doubleBuffer = 0, depth = 0, stencil = 0, alpha = 0, red = 0, green = 0, blue = 0;
    SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &doubleBuffer);
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth);
    SDL_GL_GetAttribute(SDL_GL_STENCIL_SIZE, &stencil);
    SDL_GL_GetAttribute(SDL_GL_ALPHA_SIZE, &alpha);
    SDL_GL_GetAttribute(SDL_GL_RED_SIZE, &red);
    SDL_GL_GetAttribute(SDL_GL_GREEN_SIZE, &green);
    SDL_GL_GetAttribute(SDL_GL_BLUE_SIZE, &blue);
    std::printf("GL attributes: double: %i, depth: %i, stencil: %i, alpha: %i, r: %i, g: %i, "
                "b: %i\n",
                doubleBuffer, depth, stencil, alpha, red, green, blue);
    std::fflush(stdout);
}

void collectModes() {
    SDL_Rect** modes = SDL_ListModes(nullptr, SDL_FULLSCREEN | SDL_OPENGL);
    // (SDL_Rect**)-1 means any size is allowed: there is no list to offer.
    if (modes == nullptr || modes == reinterpret_cast<SDL_Rect**>(-1))
        return;
    for (int i = 0; modes[i] != nullptr; ++i)
        modeList.push_back({modes[i]->w, modes[i]->h});
}

} // namespace

void setUpDisplay(const StartupSettings& startup) {
    // SDL 1.2 would otherwise fall back to a text-mode driver, which cannot give an OpenGL
    // context and ends the process itself when TERM is unset.
    setenv("SDL_VIDEODRIVER", "x11", 0);
    bool hasSize = startup.resX != 0 && startup.resY != 0;
    // Video first and alone: SDL stops at the first subsystem that fails, and a missing
    // sound device must not cost the timer or the joystick.
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0 || !SDL_WasInit(SDL_INIT_VIDEO))
        failDisplay();
    SDL_InitSubSystem(SDL_INIT_TIMER);
    if (hasSize)
        SDL_InitSubSystem(SDL_INIT_AUDIO);
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    if (hasSize)
        openDisplay(startup.resX, startup.resY, startup.fullscreen);
    else
        openDisplay(640, 480, startup.fullscreen);
}

void openDisplay(int width, int height, bool fullscreen) {
    SDL_WM_SetCaption("Tirva", nullptr);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    setVideoMode(width, height, fullscreen);
    printGlAttributes();
    collectModes();
}

void reopenDisplay(int width, int height, bool fullscreen) {
    setVideoMode(width, height, fullscreen);
    if (restoreAfterReopen != nullptr)
        restoreAfterReopen();
}

void setDisplayRestorer(void (*restore)()) {
    restoreAfterReopen = restore;
}

int screenWidth() {
    return screenSurface->w;
}

int screenHeight() {
    return screenSurface->h;
}

bool isFullscreen() {
    return (screenSurface->flags & SDL_FULLSCREEN) != 0;
}

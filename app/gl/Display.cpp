#include "app/gl/Display.h"

#include "app/WindowIcon.h"
#include "menus/SettingsTable.h"

#include <SDL.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

SDL_Surface* screenSurface = nullptr;
ModeList modeList;

namespace {

constexpr int DEFAULT_WIDTH = 640;
constexpr int DEFAULT_HEIGHT = 480;

void (*restoreAfterReopen)() = nullptr;

[[noreturn]] void failDisplay() {
    std::fprintf(stderr, "Fatal error: couldn't initialize SDL screen!\n");
    std::exit(200);
}

// The desktop's size when video started: no window larger than that can be seen, and one
// far larger costs the software renderer gigabytes. 0 when SDL could not tell.
int desktopWidth = 0;
int desktopHeight = 0;

// SDL 1.2 refuses a surface whose pixel rows are wider than 65535 bytes only after it has
// resized the X window, which then sends that size back as a resize request (and may even
// break the X connection); such a size is refused here before SDL sees it.
bool fitsScanline(int width) {
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    long bytesPerPixel = info != nullptr && info->vfmt != nullptr ? info->vfmt->BytesPerPixel : 4;
    return (width * bytesPerPixel + 3) / 4 * 4 <= 65535;
}

// A full-screen mode is checked by SDL against the modes the display offers.
bool fitsDesktop(int width, int height, bool fullscreen) {
    return fullscreen || desktopWidth <= 0 || desktopHeight <= 0 ||
           (width <= desktopWidth && height <= desktopHeight);
}

// False when the display refuses the mode; the old surface may then be gone as well.
bool setVideoMode(int width, int height, bool fullscreen) {
    if (!fitsScanline(width))
        return false;
    Uint32 flags = SDL_OPENGL | SDL_RESIZABLE | (fullscreen ? SDL_FULLSCREEN : 0);
    SDL_Surface* surface = SDL_SetVideoMode(width, height, 0, flags);
    if (surface == nullptr)
        return false;
    screenSurface = surface;
    glViewport(0, 0, width, height);
    return true;
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

std::string describeMode(int width, int height, bool fullscreen) {
    return std::to_string(width) + "x" + std::to_string(height) +
           (fullscreen ? " full screen" : " windowed");
}

// SDL 1.2 takes the icon only before the first video mode. Its pixels are compiled in, and
// a window without its icon is still a window, so nothing here can stop the game.
void setWindowIcon() {
    Uint32 red = SDL_BYTEORDER == SDL_LIL_ENDIAN ? 0x000000ff : 0xff000000;
    Uint32 green = SDL_BYTEORDER == SDL_LIL_ENDIAN ? 0x0000ff00 : 0x00ff0000;
    Uint32 blue = SDL_BYTEORDER == SDL_LIL_ENDIAN ? 0x00ff0000 : 0x0000ff00;
    Uint32 alpha = SDL_BYTEORDER == SDL_LIL_ENDIAN ? 0xff000000 : 0x000000ff;
    // SDL only reads the pixels: they are copied into the window system's own icon.
    SDL_Surface* icon = SDL_CreateRGBSurfaceFrom(const_cast<unsigned char*>(WINDOW_ICON_RGBA),
                                                 WINDOW_ICON_SIZE, WINDOW_ICON_SIZE, 32,
                                                 WINDOW_ICON_SIZE * 4, red, green, blue, alpha);
    if (icon == nullptr)
        return;
    SDL_WM_SetIcon(icon, nullptr);
    SDL_FreeSurface(icon);
}

bool openFirstDisplay(int width, int height, bool fullscreen) {
    SDL_WM_SetCaption("Tirva", nullptr);
    setWindowIcon();
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    if (!setVideoMode(width, height, fullscreen))
        return false;
    printGlAttributes();
    collectModes();
    return true;
}

} // namespace

void setUpDisplay(const SettingValues& values) {
    // SDL 1.2 would otherwise fall back to a text-mode driver, which cannot give an OpenGL
    // context and ends the process itself when TERM is unset.
    setenv("SDL_VIDEODRIVER", "x11", 0);
    bool hasSize = values.windowWidth != 0 && values.windowHeight != 0;
    // Video first and alone: SDL stops at the first subsystem that fails, and a missing
    // sound device must not cost the timer or the joystick.
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0 || !SDL_WasInit(SDL_INIT_VIDEO))
        failDisplay();
    SDL_InitSubSystem(SDL_INIT_TIMER);
    if (hasSize)
        SDL_InitSubSystem(SDL_INIT_AUDIO);
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    if (const SDL_VideoInfo* info = SDL_GetVideoInfo()) {
        desktopWidth = info->current_w;
        desktopHeight = info->current_h;
    }
    int width = hasSize ? values.windowWidth : DEFAULT_WIDTH;
    int height = hasSize ? values.windowHeight : DEFAULT_HEIGHT;
    if (fitsDesktop(width, height, values.fullscreen) &&
        openFirstDisplay(width, height, values.fullscreen))
        return;
    // A mode saved on another screen must not lock the player out of the options that
    // would change it.
    if (width == DEFAULT_WIDTH && height == DEFAULT_HEIGHT && !values.fullscreen)
        failDisplay();
    std::fprintf(stderr,
                 "Warning: couldn't open the display mode %s set in tirva.cfg; opening %s\n",
                 describeMode(width, height, values.fullscreen).c_str(),
                 describeMode(DEFAULT_WIDTH, DEFAULT_HEIGHT, false).c_str());
    if (!openFirstDisplay(DEFAULT_WIDTH, DEFAULT_HEIGHT, false))
        failDisplay();
}

void openDisplay(int width, int height, bool fullscreen) {
    if (!openFirstDisplay(width, height, fullscreen))
        failDisplay();
}

void reopenDisplay(int width, int height, bool fullscreen) {
    int oldWidth = screenWidth();
    int oldHeight = screenHeight();
    bool wasFullscreen = isFullscreen();
    // A size the display cannot open (a window dragged past what it can hold) keeps the
    // window as it was. SDL may have dropped the old surface on the way, so it is opened anew.
    if (!fitsDesktop(width, height, fullscreen) || !setVideoMode(width, height, fullscreen)) {
        std::fprintf(stderr, "Warning: couldn't open the display mode %s; staying at %s\n",
                     describeMode(width, height, fullscreen).c_str(),
                     describeMode(oldWidth, oldHeight, wasFullscreen).c_str());
        if (!setVideoMode(oldWidth, oldHeight, wasFullscreen))
            failDisplay();
    }
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

#include "app/Game.h"

#include "app/Display.h"
#include "app/Music.h"
#include "app/SdlInputDevice.h"
#include "app/Settings.h"
#include "app/TiltInput.h"
#include "game/Ball.h"
#include "game/BestTimes.h"
#include "game/GamePlay.h"
#include "render/MenuBackground.h"
#include "render/Renderer.h"
#include "render/TextDrawing.h"

#include <SDL.h>
#include <GL/gl.h>

#include <cstdlib>

Game game;

namespace {

std::int32_t readSdlTicks() {
    return static_cast<std::int32_t>(SDL_GetTicks());
}

// Where a re-opened display came with a new OpenGL context, the textures and the board's
// list are gone; X11 keeps the context, so this is usually a no-op.
void restoreLostGlObjects() {
    if (menuBackground.texture != 0 && glIsTexture(menuBackground.texture))
        return;
    if (game.renderer != nullptr) {
        game.renderer->reuploadTextures();
        if (game.renderer->board != nullptr)
            game.renderer->compileBoard(*game.renderer->board, *game.renderer->ball);
    }
    if (menuBackground.texture != 0)
        reloadMenuBackground();
}

} // namespace

void Game::init(int, char**) {
    settings = new Settings("tirva.cfg");
    StartupSettings startup = readStartupSettings(*settings);
    setUpDisplay(startup);
    setDisplayRestorer(restoreLostGlObjects);
    loadGlyphs(glyphTable, "alpha.lcd");
    renderer = new Renderer();
    ball = new Ball(readSdlTicks);
    tiltInput = new TiltInput(*new SdlInputDevice, *ball, renderer->followDistance, windowCentre);
    gameBestTimes().load("times.dat");
    startMusic(startup.musicOff);
    if (startup.mouseSensitivity)
        tiltInput->setMouseSensitivity(*startup.mouseSensitivity);
    if (startup.joystickSensitivity)
        tiltInput->setJoystickSensitivity(*startup.joystickSensitivity);
    if (startup.turnboard)
        renderer->turnboard = *startup.turnboard;
    if (startup.topview)
        renderer->topview = *startup.topview;
    useMenuState();
}

namespace {

void drawEmptyFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SDL_GL_SwapBuffers();
}

} // namespace

void Game::run() {
    // Blocks in the event wait between redraws, so an idle window costs no processor time.
    for (;;) {
        drawEmptyFrame();
        SDL_Event event;
        if (!SDL_WaitEvent(&event))
            continue;
        do {
            if (handleMusicEvent(event))
                continue;
            if (event.type == SDL_QUIT)
                std::exit(0);
            if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE)
                return;
            if (event.type == SDL_VIDEORESIZE)
                reopenDisplay(event.resize.w, event.resize.h, false);
        } while (SDL_PollEvent(&event));
    }
}

#include "app/gl/Game.h"

#include "app/gl/Display.h"
#include "app/gl/Music.h"
#include "app/gl/SdlInputDevice.h"
#include "base/Settings.h"
#include "app/TiltInput.h"
#include "game/Ball.h"
#include "game/BestTimes.h"
#include "app/gl/GamePlay.h"
#include "menus/gl/CreditsScreen.h"
#include "menus/gl/MainMenu.h"
#include "render/gl/GlState.h"
#include "render/gl/MenuBackground.h"
#include "render/gl/MeshLists.h"
#include "render/gl/Renderer.h"
#include "render/gl/TextDrawing.h"

#include <SDL.h>
#include <GL/gl.h>

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

// What every drawing relies on, set again after each video-mode open: the fixed state and
// the ball and disc lists.
void prepareDrawing() {
    useFixedState();
    compileMeshLists();
}

void restoreAfterReopen() {
    prepareDrawing();
    restoreLostGlObjects();
}

} // namespace

void Game::init(int, char**) {
    settings = new Settings("tirva.cfg");
    StartupSettings startup = readStartupSettings(*settings);
    setUpDisplay(startup);
    prepareDrawing();
    setDisplayRestorer(restoreAfterReopen);
    loadGlyphs(glyphTable, "alpha.lcd");
    renderer = new Renderer();
    ball = new Ball(readSdlTicks);
    tiltInput = new TiltInput(*new SdlInputDevice, *ball, renderer->followDistance, windowCentre);
    gameBestTimes().load("times.dat", true);
    startMusic(startup.musicOff);
    if (startup.mouseSensitivity)
        tiltInput->setMouseSensitivity(*startup.mouseSensitivity);
    if (startup.joystickSensitivity)
        tiltInput->setJoystickSensitivity(*startup.joystickSensitivity);
    if (startup.turnboard)
        renderer->turnboard = *startup.turnboard;
    if (startup.topview)
        renderer->topview = *startup.topview;
    mainMenu = new MainMenu(*settings, *tiltInput, renderer->turnboard, renderer->topview);
}

void Game::run() {
    mainMenu->selected = 0;
    mainMenu->run();
    CreditsScreen* credits = new CreditsScreen();
    credits->run();
    delete credits;
}

#include "app/gl/Game.h"

#include "app/TiltInput.h"
#include "app/gl/Display.h"
#include "app/gl/GameMenuHost.h"
#include "app/gl/GameMusic.h"
#include "app/gl/GameSettings.h"
#include "app/gl/GameSounds.h"
#include "app/gl/GamePlayHost.h"
#include "app/gl/SdlInputDevice.h"
#include "base/FileLock.h"
#include "base/Settings.h"
#include "game/Ball.h"
#include "game/BestTimes.h"
#include "game/TimesKeeper.h"
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

constexpr const char* BEST_TIMES_FILE = "times.dat";
// Where the best-times loader keeps a damaged file whole.
constexpr const char* DAMAGED_BEST_TIMES_FILE = "times.dat.damaged";

std::int32_t readSdlTicks() {
    return static_cast<std::int32_t>(SDL_GetTicks());
}

// Where the new video mode came with a new OpenGL context, the board textures and the
// board's list are gone; X11 keeps the context, so that is rare. The menu background is
// uploaded again in any case.
void restoreLostGlObjects() {
    bool contextKept = menuBackground.texture != 0 && glIsTexture(menuBackground.texture);
    if (!contextKept && game.renderer != nullptr) {
        game.renderer->reuploadTextures();
        if (game.renderer->board != nullptr)
            game.renderer->compileBoard(*game.renderer->board, *game.renderer->ball);
    }
    reloadMenuBackground();
}

// What every drawing relies on, set again after each video-mode open: the fixed state and
// the ball and disc lists.
void prepareDrawing() {
    useFixedState();
    compileMeshLists();
}

// Runs after every re-open. A resize during play keeps the scene's perspective, which must
// take the new window's aspect ratio with the next frame.
void restoreAfterReopen() {
    prepareDrawing();
    useProjectionAgain();
    restoreLostGlObjects();
}

} // namespace

void Game::init(int, char**) {
    settings = new Settings(SETTINGS_FILE);
    removeLeftoverTemporaries(SETTINGS_FILE);
    const SettingValues chosen = readSettingValues(*settings);
    setUpDisplay(chosen);
    prepareDrawing();
    setDisplayRestorer(restoreAfterReopen);
    loadGlyphs(glyphTable, "alpha.lcd");
    renderer = new Renderer();
    ball = new Ball(readSdlTicks);
    inputDevice = new SdlInputDevice;
    tiltInput = new TiltInput(*inputDevice, *ball, renderer->followDistance, windowCentre);
    bestTimes = new BestTimes;
    bestTimes->load(BEST_TIMES_FILE, true);
    removeLeftoverTemporaries(BEST_TIMES_FILE, {DAMAGED_BEST_TIMES_FILE});
    timesKeeper = new TimesKeeper(*bestTimes, BEST_TIMES_FILE);
    // A window closed with a best time still waiting for its file gets that time one last
    // try: it is the player's record.
    setBeforeClose([] { game.timesKeeper->saveBeforeExit(); });
    openMusic();
    openSounds();
    // The display is open already; the rest of the settings take effect once what they reach
    // exists, and before the menu music, which stays silent when they switch it off.
    applySettings(chosen, std::nullopt, {*renderer, *tiltInput});
    musicPlayer.startMenuMusic();
    playHost = new GamePlayHost(*renderer, *ball, *tiltInput, *timesKeeper, *inputDevice);
    menuHost = new GameMenuHost(*inputDevice, *playHost, *bestTimes, *timesKeeper, *settings,
                                {*renderer, *tiltInput});
    mainMenu = new MainMenu(*menuHost);
    // The background upload leaves texturing to the drawing; every menu starts flat.
    useMenuState();
}

void Game::run() {
    mainMenu->selected = 0;
    mainMenu->run();
    CreditsScreen* credits = new CreditsScreen();
    if (!timesKeeper->saveBeforeExit())
        credits->notice = timesKeeper->describeLost();
    credits->run(*inputDevice);
    delete credits;
}

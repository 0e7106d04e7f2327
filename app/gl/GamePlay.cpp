#include "app/gl/GamePlay.h"

#include "app/gl/Game.h"
#include "app/gl/Music.h"
#include "app/TiltInput.h"
#include "game/Ball.h"
#include "game/BestTimes.h"
#include "render/gl/PlayDrawing.h"
#include "game/PlayLoop.h"
#include "render/gl/GlState.h"
#include "render/gl/Renderer.h"

#include <SDL.h>

#include <cstdlib>

namespace {

constexpr const char* BEST_TIMES_FILE = "times.dat";

// Reduces one event to what the overlay reacts to; ends the process on a close request.
int keyOfEvent(const SDL_Event& event) {
    if (handleMusicEvent(event))
        return 0;
    if (event.type == SDL_QUIT)
        std::exit(0);
    if (event.type == SDL_KEYDOWN)
        return event.key.keysym.sym;
    return 0;
}

// The play loop's window: SDL's clock and events, the game's renderer and tilt input.
class GamePlayHost : public PlayHost {
public:
    std::int32_t currentTick() override { return static_cast<std::int32_t>(SDL_GetTicks()); }
    void sleep(std::int32_t ms) override { SDL_Delay(static_cast<Uint32>(ms)); }
    void prepareBoard(const Board& board) override {
        game.renderer->compileBoard(board, *game.ball);
        useSceneState();
    }
    void drawFrame() override {
        game.renderer->drawFrame();
        drawClock(*game.ball);
        SDL_GL_SwapBuffers();
    }
    void drawOverlay(const OverlayView& view) override { drawOverlayScreen(view); }
    void startRun() override { game.tiltInput->reset(); }
    int pollCommand() override { return game.tiltInput->poll(); }
    int waitKey() override {
        SDL_Event event;
        while (!SDL_WaitEvent(&event)) {
        }
        return keyOfEvent(event);
    }
    int pollKey() override {
        SDL_Event event;
        return SDL_PollEvent(&event) ? keyOfEvent(event) : -1;
    }
    void showCursor() override { SDL_ShowCursor(SDL_ENABLE); }
    void saveBestTimes() override { gameBestTimes().save(BEST_TIMES_FILE); }
};

} // namespace

BestTimes& gameBestTimes() {
    static BestTimes table;
    return table;
}

bool playBoardInGame(PlayEntry& entry, bool nextAllowed) {
    GamePlayHost host;
    return playBoard(entry, nextAllowed, *game.ball, host);
}

#include "app/gl/GamePlayHost.h"

#include "app/TiltInput.h"
#include "base/FreeMemory.h"
#include "base/InputDevice.h"
#include "game/Ball.h"
#include "game/BestTimes.h"
#include "render/gl/GlState.h"
#include "render/gl/PlayDrawing.h"
#include "render/gl/Renderer.h"

#include <SDL.h>

namespace {

constexpr const char* BEST_TIMES_FILE = "times.dat";

} // namespace

GamePlayHost::GamePlayHost(Renderer& renderer, Ball& ball, TiltInput& tiltInput,
                           BestTimes& bestTimes, InputDevice& device)
    : renderer(renderer), ball(ball), tiltInput(tiltInput), bestTimes(bestTimes), device(device) {}

bool GamePlayHost::play(PlayEntry& entry, bool nextAllowed) {
    bool next = playBoard(entry, nextAllowed, ball, *this);
    // The board's lists and picture go as soon as it is left; a big board's would otherwise
    // stay in memory until the next board replaces them.
    renderer.releaseBoard();
    returnFreedMemory();
    return next;
}

std::int32_t GamePlayHost::currentTick() {
    return static_cast<std::int32_t>(SDL_GetTicks());
}

void GamePlayHost::sleep(std::int32_t ms) {
    SDL_Delay(static_cast<Uint32>(ms));
}

void GamePlayHost::prepareBoard(const Board& board) {
    renderer.compileBoard(board, ball);
    useSceneState();
}

void GamePlayHost::drawFrame() {
    renderer.drawFrame();
    drawClock(ball);
    SDL_GL_SwapBuffers();
}

void GamePlayHost::drawOverlay(const OverlayView& view) {
    drawOverlayScreen(renderer, ball, view);
}

void GamePlayHost::startRun() {
    tiltInput.reset();
}

PlayCommand GamePlayHost::pollCommand() {
    return tiltInput.poll();
}

void GamePlayHost::showCursor() {
    device.showCursor(true);
}

void GamePlayHost::saveBestTimes() {
    bestTimes.save(BEST_TIMES_FILE);
}

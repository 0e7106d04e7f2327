#include "app/gl/GamePlayHost.h"

#include "app/TiltInput.h"
#include "app/gl/GameSounds.h"
#include "base/FreeMemory.h"
#include "base/InputDevice.h"
#include "game/Ball.h"
#include "game/BestTimes.h"
#include "game/Board.h"
#include "game/TimesKeeper.h"
#include "render/OverlayLayout.h"
#include "render/ViewMode.h"
#include "render/gl/GlState.h"
#include "render/gl/HintDrawing.h"
#include "render/gl/PlayDrawing.h"
#include "render/gl/Renderer.h"

#include <SDL.h>

GamePlayHost::GamePlayHost(Renderer& renderer, Ball& ball, TiltInput& tiltInput,
                           TimesKeeper& timesKeeper, InputDevice& device)
    : renderer(renderer), ball(ball), tiltInput(tiltInput), timesKeeper(timesKeeper),
      device(device) {}

bool GamePlayHost::play(PlayEntry& entry, bool nextAllowed) {
    boardName = entry.name;
    bool next = playBoard(entry, nextAllowed, ball, *this);
    // The board's lists and picture go as soon as it is left; a big board's would otherwise
    // stay in memory until the next board replaces them.
    renderer.releaseBoard();
    returnFreedMemory();
    timesKeeper.retry();
    return next;
}

std::int32_t GamePlayHost::currentTick() {
    return static_cast<std::int32_t>(SDL_GetTicks());
}

void GamePlayHost::sleep(std::int32_t ms) {
    SDL_Delay(static_cast<Uint32>(ms));
}

// Every board starts with the controls line shown; its whole view leaves the clock's lines
// room above it.
void GamePlayHost::prepareBoard(const Board& board) {
    renderer.compileBoard(board, ball);
    renderer.wholeViewTop = findWholeViewTop(board.timeLimit >= 0);
    useSceneState();
    hints.restart(currentTick());
}

void GamePlayHost::drawFrame() {
    const std::int32_t tick = currentTick();
    hints.update(tick, ball.tiltX, ball.tiltY);
    renderer.drawFrame();
    drawClock(ball);
    drawHintLines(listHints(hints.isShown(tick)));
    SDL_GL_SwapBuffers();
}

// The pause overlay names the controls under its items; a result needs only its own keys.
// Below them stands why a best time is not saved yet, while one waits.
void GamePlayHost::drawOverlay(const OverlayView& view) {
    const bool paused = view.outcome == Outcome::Paused;
    std::vector<std::string> lines = paused ? listHints(true) : std::vector<std::string>{};
    const std::string unsaved = timesKeeper.describeUnsaved();
    if (!unsaved.empty())
        lines.push_back(unsaved);
    drawOverlayScreen(renderer, ball, view, lines);
}

std::vector<std::string> GamePlayHost::listHints(bool controlsShown) const {
    ControlState state;
    state.mouseMode = tiltInput.isMouseMode();
    state.hasAccelerometer = tiltInput.hasAccelerometer();
    state.followView =
        renderer.board == nullptr || !showsWholeBoard(renderer.topview, *renderer.board);
    if (renderer.board != nullptr) {
        state.wholeViewAllowed = !renderer.board->noTopView;
        state.timeLimitMs = renderer.board->timeLimit;
        state.boardName = boardName;
    }
    return listHintLines(state, controlsShown);
}

// The running flag that the options show as "top view" and save when they are left, so the
// choice holds for the boards after this one. A board that forbids the whole view keeps
// following the ball, and its lines show again to say so.
void GamePlayHost::switchView() {
    if (renderer.board == nullptr)
        return;
    if (renderer.board->noTopView) {
        hints.restart(currentTick());
        return;
    }
    renderer.topview = !renderer.topview;
}

void GamePlayHost::startRun() {
    tiltInput.reset();
    playSounds.restartRun();
}

PlayKeyCommand GamePlayHost::pollCommand() {
    const PlayKeyCommand command = tiltInput.poll(currentTick());
    if (tiltInput.takeViewSwitch())
        switchView();
    return command;
}

void GamePlayHost::releaseArrows() {
    tiltInput.releaseArrows();
}

void GamePlayHost::showCursor() {
    device.showCursor(true);
}

void GamePlayHost::saveBestTimes() {
    timesKeeper.saveNewTime();
}

void GamePlayHost::playStepSounds(const StepReport& report) {
    playSounds.followStep(report, ball);
}

void GamePlayHost::playCompletionSound(bool newBest) {
    playSounds.followCompletion(newBest);
}

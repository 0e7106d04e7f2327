#pragma once
// The play loop's window in the running game: SDL's clock, the renderer, the ball, the tilt
// input, the input device and the saves of the best times. Built once at start-up; the boards
// the menus offer are all played through it.

#include "app/ControlHints.h"
#include "game/PlayLoop.h"

#include <string>
#include <vector>

class Ball;
class Renderer;
class TiltInput;
class TimesKeeper;

class GamePlayHost final : public PlayHost {
public:
    GamePlayHost(Renderer& renderer, Ball& ball, TiltInput& tiltInput, TimesKeeper& timesKeeper,
                 InputDevice& device);
    GamePlayHost(const GamePlayHost&) = delete;
    GamePlayHost& operator=(const GamePlayHost&) = delete;

    // Plays entry on the game's window; true when the player asked for the next board.
    bool play(PlayEntry& entry, bool nextAllowed);

    InputDevice& inputDevice() override { return device; }
    std::int32_t currentTick() override;
    void sleep(std::int32_t ms) override;
    void prepareBoard(const Board& board) override;
    void drawFrame() override;
    void drawOverlay(const OverlayView& view) override;
    void startRun() override;
    PlayKeyCommand pollCommand() override;
    void releaseArrows() override;
    void showCursor() override;
    void saveBestTimes() override;
    void playStepSounds(const StepReport& report) override;
    void playCompletionSound(bool newBest) override;

private:
    // The hint lines for the controls in force; the board's line and the controls line while
    // controlsShown.
    std::vector<std::string> listHints(bool controlsShown) const;
    // The view key: the follow view and the whole-board view take turns, where the board
    // allows the whole view.
    void switchView();

    Renderer& renderer;
    Ball& ball;
    TiltInput& tiltInput;
    TimesKeeper& timesKeeper;
    InputDevice& device;
    ControlHints hints;
    std::string boardName; // of the board being played
};

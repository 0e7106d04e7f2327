#pragma once
// Playing one board: the paced frame loop with its clock, time limit, pause and reset, and
// the modal overlay that shows the outcome and the best times. The decisions live here; the
// window, the drawing and the events come through PlayHost.

#include "game/BestTimes.h"
#include "game/PlayKeyCommand.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Ball;
class Board;
class InputDevice;
class Timer;
enum class DropKind;
enum class StepResult;
struct StepReport;

// What a caller hands to the play loop.
struct PlayEntry {
    // Loads the board file and looks its path up in the best-times table, adding an entry
    // with five empty slots when it is new. The entry owns the board.
    PlayEntry(const std::string& path, BestTimes& table);
    // A board in memory (a generated maze): no best times; the caller keeps the board.
    explicit PlayEntry(Board& lentBoard);

    Board& board;
    // What the player knows the board by: its file's name as the lists show it, or "random
    // maze".
    std::string name;
    BestTimes::Times* bestTimes = nullptr;
    bool nextRequested = false;
    bool ownsBoard = false;
    // The last board of a pack: the best times of every board of the pack, its own included,
    // so that completing it can tell the pack's total. Empty for every other board.
    std::vector<const BestTimes::Times*> packTimes;

private:
    std::unique_ptr<Board> ownedBoard;
};

enum class Outcome { Paused = 0, Failed = 1, Completed = 2 };

// The overlay's items. showOverlay decides what each does; describeOverlayItem gives the word
// the overlay shows for it.
enum class OverlayItem { Continue, Next, Reset, Exit };

// Why a try failed, as the failed overlay says it; None for every other overlay.
enum class FailCause { None, Hole, Gap, OutOfTime };

// What the overlay shows; the host draws it.
struct OverlayView {
    Outcome outcome;
    const std::vector<OverlayItem>& items;
    unsigned selected;
    int rank; // row of a new best time in bestTimes, or -1
    const BestTimes::Times* bestTimes;
    std::int32_t elapsedMs; // the run's time, its clock stopped while the overlay is open
    // The sum of the pack's best times once its last board is completed and every board of
    // it has a time; -1 otherwise.
    std::int32_t packTotalMs = -1;
    FailCause cause = FailCause::None;
};

// The overlay's items, top to bottom.
const std::vector<OverlayItem>& overlayItems(Outcome outcome, bool nextOffered);
// The word the overlay shows for item: "continue", "next", "reset" or "exit".
const char* describeOverlayItem(OverlayItem item);
// The failed overlay's line for cause: "fell into a hole", "fell through a gap" or "out of
// time"; "" for None.
const char* describeFailCause(FailCause cause);
// The cause of a try lost by dropping into drop: a trap hole (or, without the goal's mark, a
// goal hole) or a gap.
FailCause findFailCause(DropKind drop);

// The window, the clock, the drawing and the events, as the play loop needs them.
class PlayHost {
public:
    // Where the overlay reads its keys.
    virtual InputDevice& inputDevice() = 0;
    virtual std::int32_t currentTick() = 0;
    virtual void sleep(std::int32_t ms) = 0;
    // Compiles the board for drawing and selects the scene drawing state.
    virtual void prepareBoard(const Board& board) = 0;
    // Draws the scene and the clock and shows them.
    virtual void drawFrame() = 0;
    virtual void drawOverlay(const OverlayView& view) = 0;
    // Starts a run of the tilt input: pointer hidden and centred, board level.
    virtual void startRun() = 0;
    // Handles pending input; returns the tilt input's command.
    virtual PlayKeyCommand pollCommand() = 0;
    // The overlay and the menus take every key release, so the tilt input lets go of the
    // arrows whenever play hands the keyboard to them.
    virtual void releaseArrows() = 0;
    virtual void showCursor() = 0;
    // Writes the best-times table to its file, bringing in the times other copies of the
    // game wrote there meanwhile.
    virtual void saveBestTimes() = 0;
    // The sounds of play: after every frame's step, for what its report says happened and for
    // the ball's clock; and for a completed board once its time has entered the best times,
    // newBest when it is the board's best.
    virtual void playStepSounds(const StepReport& report) = 0;
    virtual void playCompletionSound(bool newBest) = 0;

protected:
    ~PlayHost() = default;
};

// Longest frame stepped in one piece; a longer one (after a stall) is split into equal
// sub-steps of at most SUB_STEP_MS, so the ball can neither tunnel through a wall nor
// leave the board.
constexpr std::int32_t LONG_FRAME_MS = 30;
constexpr std::int32_t SUB_STEP_MS = 10;
constexpr std::int32_t FRAME_PERIOD_MS = 10;
constexpr std::int32_t CATCH_UP_LIMIT_MS = 200;

// Plays entry.board until the player leaves (false) or asks for the next board (true).
// A board that could not be loaded is never played: false at once. Keys held when play
// ends do nothing on the screen that shows next until pressed again.
bool playBoard(PlayEntry& entry, bool nextAllowed, Ball& ball, PlayHost& host);

// Shows the overlay until an item is chosen; false for "exit". A completed board enters
// its time into the best times first and saves them when it ranks. Besides the items, 'r'
// resets in every overlay; keys held when it appears do nothing until pressed again.
bool showOverlay(PlayEntry& entry, Outcome outcome, bool nextOffered, Ball& ball, PlayHost& host,
                 FailCause cause = FailCause::None);

// One physics step of stepMs, split into sub-steps when the frame was long; the report of the
// last sub-step, told whether the ball began to fall in any of them and the hardest strike of
// them all.
StepReport advanceBall(Ball& ball, std::int32_t stepMs);
// The same, for callers that need only its result.
StepResult stepBall(Ball& ball, std::int32_t stepMs);

// The time the clock display shows at tick; while the clock runs, also counts the frame and
// refreshes the frames-per-second figure every half second.
std::int32_t readClockForDisplay(Timer& timer, std::int32_t tick);

// Seconds as the clock shows them: integer ms times the single-precision 0.001, so 15 ms
// reads 0.02.
std::string formatSeconds(std::int32_t ms);

// The sum of the first times of packTimes, or -1 when one of them has none (or there are
// none). A sum beyond what the clock can count stops at its largest value.
std::int32_t sumPackTimes(const std::vector<const BestTimes::Times*>& packTimes);

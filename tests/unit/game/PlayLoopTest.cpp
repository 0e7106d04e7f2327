#include "game/PlayLoop.h"

#include "base/KeyCodes.h"
#include "game/Ball.h"
#include "game/Board.h"
#include "tests/unit/base/ScriptedInputDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>

namespace {

struct RecordedOverlay {
    Outcome outcome;
    std::vector<std::string> items;
    unsigned selected;
    int rank;
    std::int32_t elapsedMs;
    std::int32_t packTotalMs;
    FailCause cause;
};

// A scripted world: a clock that only moves when the loop sleeps or a frame is drawn,
// commands from a queue, the overlay's events from the scripted device, and a record of what
// was drawn and saved.
class FakeHost : public PlayHost {
public:
    std::int32_t tick = 1000;
    std::int32_t frameCost = 0;          // ms each drawn frame takes
    std::deque<PlayKeyCommand> commands; // one per poll; none left: None
    ScriptedInputDevice device;          // the overlay's events
    std::function<void()> onPoll;
    std::function<void()> onSave; // what another copy of the game wrote meanwhile
    std::vector<RecordedOverlay> overlays;
    int framesDrawn = 0, runsStarted = 0, saves = 0, cursorShown = 0, boardsPrepared = 0,
        arrowReleases = 0;

    InputDevice& inputDevice() override { return device; }
    std::int32_t currentTick() override { return tick; }
    void sleep(std::int32_t ms) override { tick += ms; }
    void prepareBoard(const Board&) override { ++boardsPrepared; }
    void drawFrame() override {
        ++framesDrawn;
        tick += frameCost;
    }
    void drawOverlay(const OverlayView& view) override {
        std::vector<std::string> items;
        for (OverlayItem item : view.items)
            items.push_back(describeOverlayItem(item));
        overlays.push_back({view.outcome, items, view.selected, view.rank, view.elapsedMs,
                            view.packTotalMs, view.cause});
    }
    void startRun() override { ++runsStarted; }
    PlayKeyCommand pollCommand() override {
        if (onPoll)
            onPoll();
        if (commands.empty())
            return PlayKeyCommand::None;
        PlayKeyCommand command = commands.front();
        commands.pop_front();
        return command;
    }
    void releaseArrows() override { ++arrowReleases; }
    void showCursor() override { ++cursorShown; }
    void saveBestTimes() override {
        ++saves;
        if (onSave)
            onSave();
    }
    void playStepSounds(const StepReport& report) override {
        if (onStepSounds)
            onStepSounds(report);
    }
    void playCompletionSound(bool newBest) override { completionSounds.push_back(newBest); }

    std::function<void(const StepReport&)> onStepSounds;
    std::vector<bool> completionSounds; // newBest of each
};

// One row: the start at the left, the goal hole at the right end.
Board makeCorridor(int width, std::int32_t timeLimit = -1) {
    Board board;
    board.resize(1, width);
    board.kinds[0] = KIND_START;
    board.kinds[width - 1] = KIND_GOAL;
    board.startX = 0;
    board.startY = 0;
    board.timeLimit = timeLimit;
    return board;
}

struct PlayLoopTest : ::testing::Test {
    FakeHost host;
    Ball ball{[this] { return host.tick; }};
};

} // namespace

TEST_F(PlayLoopTest, ABoardThatCouldNotBeLoadedIsNeverPlayed) {
    Board empty;
    PlayEntry entry(empty);
    EXPECT_FALSE(playBoard(entry, true, ball, host));
    EXPECT_EQ(host.framesDrawn, 0);
    EXPECT_EQ(host.runsStarted, 0);
    EXPECT_EQ(host.boardsPrepared, 0);
    EXPECT_EQ(host.saves, 0);
}

TEST_F(PlayLoopTest, EscapeDuringPlayLeavesAtOnceWithoutAnOverlay) {
    Board board = makeCorridor(3);
    PlayEntry entry(board);
    host.commands = {PlayKeyCommand::None, PlayKeyCommand::None, PlayKeyCommand::Quit};
    EXPECT_FALSE(playBoard(entry, false, ball, host));
    EXPECT_EQ(host.framesDrawn, 3);
    EXPECT_TRUE(host.overlays.empty());
    EXPECT_EQ(host.cursorShown, 0);
}

TEST_F(PlayLoopTest, FramesArePacedAtTenMillisecondsAndTheScheduleRestartsAfterAStall) {
    Board board = makeCorridor(3);
    PlayEntry entry(board);
    std::vector<std::int32_t> ticksAtPoll;
    host.onPoll = [&] { ticksAtPoll.push_back(host.tick); };
    host.commands = {PlayKeyCommand::None, PlayKeyCommand::None, PlayKeyCommand::None,
                     PlayKeyCommand::Quit};
    host.frameCost = 0;
    std::int32_t begin = host.tick;
    playBoard(entry, false, ball, host);
    ASSERT_EQ(ticksAtPoll.size(), 4u);
    for (size_t i = 0; i < ticksAtPoll.size(); ++i)
        EXPECT_EQ(ticksAtPoll[i], begin + 10 * static_cast<std::int32_t>(i + 1));

    // A frame that takes 500 ms puts the loop more than 200 ms behind: no sleeping to catch up.
    FakeHost slow;
    Ball slowBall{[&] { return slow.tick; }};
    slow.frameCost = 500;
    slow.commands = {PlayKeyCommand::None, PlayKeyCommand::None, PlayKeyCommand::Quit};
    std::vector<std::int32_t> slowTicks;
    slow.onPoll = [&] { slowTicks.push_back(slow.tick); };
    playBoard(entry, false, slowBall, slow);
    EXPECT_EQ(slowTicks[1] - slowTicks[0], 500);
}

TEST_F(PlayLoopTest, PauseShowsContinueResetExitAndContinueResumesTheClock) {
    Board board = makeCorridor(3);
    PlayEntry entry(board);
    host.commands = {PlayKeyCommand::Pause, PlayKeyCommand::None, PlayKeyCommand::Quit};
    host.device.pressKeys({KEY_RETURN});
    EXPECT_FALSE(playBoard(entry, false, ball, host));
    ASSERT_EQ(host.overlays.size(), 1u);
    EXPECT_EQ(host.overlays[0].outcome, Outcome::Paused);
    EXPECT_EQ(host.overlays[0].items, (std::vector<std::string>{"continue", "reset", "exit"}));
    EXPECT_EQ(ball.stopTick, -1); // running again
    EXPECT_EQ(host.runsStarted, 1);
    // The menus before the board and the overlay took the key releases.
    EXPECT_EQ(host.arrowReleases, 2);
}

TEST_F(PlayLoopTest, OverlaySelectionWrapsAndItsItemsDoWhatTheySay) {
    Board board = makeCorridor(3);
    PlayEntry entry(board);
    // Up from "continue" wraps to "exit"; Down wraps back; Down again is "reset".
    host.commands = {PlayKeyCommand::Pause, PlayKeyCommand::None, PlayKeyCommand::Quit};
    host.device.pressKeys({KEY_UP, KEY_DOWN, KEY_DOWN, KEY_RETURN});
    ball.tiltX = 600;
    EXPECT_FALSE(playBoard(entry, false, ball, host));
    ASSERT_EQ(host.overlays.size(), 1u); // all keys were queued: one redraw
    EXPECT_EQ(host.runsStarted, 2);      // reset starts a new run
    EXPECT_EQ(ball.startTick, host.tick - 20);

    // Escape in an overlay leaves the board.
    FakeHost other;
    Ball otherBall{[&] { return other.tick; }};
    other.commands = {PlayKeyCommand::Pause};
    other.device.pressKeys({KEY_ESCAPE});
    EXPECT_FALSE(playBoard(entry, false, otherBall, other));
}

TEST_F(PlayLoopTest, TheOverlayRedrawsAfterEachBatchOfEventsAndReactsOnlyToKeys) {
    Board board = makeCorridor(3);
    PlayEntry entry(board);
    host.commands = {PlayKeyCommand::Pause, PlayKeyCommand::None, PlayKeyCommand::Quit};
    host.device.movePointer(5, 5);
    host.device.send(InputEvent::Kind::Resize, 800, 600);
    host.device.pressKey(KEY_DOWN);
    host.device.releaseKey(KEY_DOWN);
    host.device.releaseKey(KEY_RETURN);
    host.device.pause();
    host.device.clickButton();
    host.device.pause();
    host.device.pressKeys({KEY_UP, KEY_SPACE}); // "continue"
    EXPECT_FALSE(playBoard(entry, false, ball, host));
    ASSERT_EQ(host.overlays.size(), 3u);
    EXPECT_EQ(host.overlays[0].selected, 0u);
    EXPECT_EQ(host.overlays[1].selected, 1u);
    EXPECT_EQ(host.overlays[2].selected, 1u);
    EXPECT_EQ(host.device.reopenCount, 0);
    EXPECT_EQ(host.runsStarted, 1);
    EXPECT_EQ(ball.stopTick, -1);
}

TEST_F(PlayLoopTest, ATimeLimitOfZeroFailsAfterTheFirstFrame) {
    Board board = makeCorridor(3, 0);
    PlayEntry entry(board);
    host.device.pressKeys({KEY_DOWN, KEY_RETURN}); // "exit"
    EXPECT_FALSE(playBoard(entry, false, ball, host));
    ASSERT_EQ(host.overlays.size(), 1u);
    EXPECT_EQ(host.overlays[0].outcome, Outcome::Failed);
    EXPECT_EQ(host.overlays[0].items, (std::vector<std::string>{"reset", "exit"}));
    EXPECT_EQ(host.framesDrawn, 1);
    EXPECT_EQ(ball.elapsed(), 10); // frozen when the overlay opened
    EXPECT_EQ(host.overlays[0].elapsedMs, 10);
}

TEST_F(PlayLoopTest, CompletingAPackBoardEntersTheTimeSavesAndOffersNext) {
    Board board = makeCorridor(4);
    BestTimes table;
    PlayEntry entry(board);
    BestTimes::Times& times = table.entry("levs/pack/one");
    times = {1200, 1500, -1, -1, -1};
    entry.bestTimes = &times;
    host.onPoll = [&] { ball.tiltX = 600; };
    // First completion: "reset" (second item, after "next"); then pause: "next" is offered.
    host.device.pressKeys({KEY_DOWN, KEY_RETURN, KEY_DOWN, KEY_RETURN});
    host.commands.assign(200, PlayKeyCommand::None);
    bool asked = false;
    int polls = 0;
    host.onPoll = [&] {
        ball.tiltX = 600;
        if (!host.overlays.empty() && !asked && ++polls > 2) {
            host.commands.push_front(PlayKeyCommand::Pause);
            asked = true;
        }
    };
    EXPECT_TRUE(playBoard(entry, true, ball, host));
    ASSERT_EQ(host.overlays.size(), 2u);
    EXPECT_EQ(host.overlays[0].outcome, Outcome::Completed);
    EXPECT_EQ(host.overlays[0].items, (std::vector<std::string>{"next", "reset", "exit"}));
    EXPECT_EQ(host.overlays[1].items,
              (std::vector<std::string>{"continue", "next", "reset", "exit"}));
    int rank = host.overlays[0].rank;
    ASSERT_GE(rank, 0);
    EXPECT_EQ(host.saves, 1);
    EXPECT_GT(times[rank], 0);
    EXPECT_EQ(host.cursorShown, 1);
    EXPECT_TRUE(entry.nextRequested);
}

TEST_F(PlayLoopTest, TheOverlayMarksTheNewTimeWhereTheSaveLeftIt) {
    Board board = makeCorridor(4);
    PlayEntry entry(board);
    BestTimes::Times times = {-1, -1, -1, -1, -1};
    entry.bestTimes = &times;
    host.onPoll = [&] { ball.tiltX = 600; };
    // Another copy had set two better times: the new one ends up third, not first.
    host.onSave = [&] {
        std::int32_t mine = times[0];
        times = {1, 2, mine, -1, -1};
    };
    host.device.pressKeys({KEY_DOWN, KEY_RETURN}); // "exit"
    EXPECT_FALSE(playBoard(entry, false, ball, host));
    ASSERT_EQ(host.overlays.size(), 1u);
    EXPECT_EQ(host.overlays[0].rank, 2);

    // Five better times: the new one is not among them, and nothing is marked.
    host.overlays.clear();
    times = {-1, -1, -1, -1, -1};
    host.onSave = [&] { times = {1, 2, 3, 4, 5}; };
    host.device.pressKeys({KEY_DOWN, KEY_RETURN});
    EXPECT_FALSE(playBoard(entry, false, ball, host));
    ASSERT_EQ(host.overlays.size(), 1u);
    EXPECT_EQ(host.overlays[0].rank, -1);
}

TEST_F(PlayLoopTest, ACompletedGeneratedMazeOffersNoNextAndSavesNothing) {
    Board board = makeCorridor(3);
    PlayEntry entry(board);
    host.onPoll = [&] { ball.tiltX = 600; };
    host.device.pressKeys({KEY_DOWN, KEY_RETURN}); // "exit"
    EXPECT_FALSE(playBoard(entry, false, ball, host));
    ASSERT_EQ(host.overlays.size(), 1u);
    EXPECT_EQ(host.overlays[0].outcome, Outcome::Completed);
    EXPECT_EQ(host.overlays[0].items, (std::vector<std::string>{"reset", "exit"}));
    EXPECT_EQ(host.overlays[0].rank, -1);
    EXPECT_EQ(host.saves, 0);
}

TEST_F(PlayLoopTest, CompletingThePacksLastBoardTellsThePacksTotal) {
    Board board = makeCorridor(3);
    BestTimes table;
    BestTimes::Times& first = table.entry("levs/pack/one");
    BestTimes::Times& last = table.entry("levs/pack/two");
    first = {61000, 70000, -1, -1, -1};
    PlayEntry entry(board);
    entry.bestTimes = &last;
    entry.packTimes = {&first, &last};
    host.onPoll = [&] { ball.tiltX = 600; };
    // "reset", and the board is completed a second time; then "exit".
    host.device.pressKeys({KEY_DOWN, KEY_RETURN});
    host.device.pause();
    host.device.pressKeys({KEY_DOWN, KEY_DOWN, KEY_RETURN});
    host.device.pause();
    host.device.pressKeys({KEY_SPACE});
    EXPECT_FALSE(playBoard(entry, true, ball, host));
    ASSERT_EQ(host.overlays.size(), 2u);
    EXPECT_EQ(host.overlays[0].packTotalMs, 61000 + host.overlays[0].elapsedMs);
    // After a second completion the total takes the board's best time, whichever run set it.
    EXPECT_EQ(host.overlays[1].packTotalMs, 61000 + last[0]);

    // Paused, the total is not told.
    FakeHost paused;
    Ball pausedBall{[&] { return paused.tick; }};
    paused.commands = {PlayKeyCommand::Pause};
    paused.device.pressKeys({KEY_ESCAPE});
    playBoard(entry, true, pausedBall, paused);
    EXPECT_EQ(paused.overlays[0].packTotalMs, -1);
}

TEST(PlayLoop, APacksTotalNeedsATimeForEveryBoardAndStopsAtTheClocksLargest) {
    BestTimes::Times done{1500, 2000, -1, -1, -1}, open{-1, -1, -1, -1, -1};
    BestTimes::Times slow{2000000000, -1, -1, -1, -1};
    EXPECT_EQ(sumPackTimes({&done, &done}), 3000);
    EXPECT_EQ(sumPackTimes({&done, &open}), -1);
    EXPECT_EQ(sumPackTimes({}), -1);
    EXPECT_EQ(sumPackTimes({&slow, &slow}), 2147483647);
}

TEST(PlayLoop, LongFramesAreSteppedInPiecesOfAtMostTenMilliseconds) {
    std::int32_t tick = 0;
    Board board = makeCorridor(3);
    Ball pieces{[&] { return tick; }}, tens{[&] { return tick; }};
    for (Ball* ball : {&pieces, &tens}) {
        ball->begin(board);
        ball->vx = 0.02f;
    }
    EXPECT_EQ(stepBall(pieces, 95), StepResult::Rolling);
    for (int ms : {10, 10, 10, 10, 10, 9, 9, 9, 9, 9})
        tens.step(ms);
    EXPECT_FLOAT_EQ(pieces.x, tens.x);
    EXPECT_FLOAT_EQ(pieces.vx, tens.vx);

    // A fast ball and a half-second stall: it bounces off the right end instead of leaving.
    Board open = makeCorridor(2);
    open.kinds[1] = KIND_FLOOR;
    Ball fast{[&] { return tick; }};
    fast.begin(open);
    fast.vx = 0.05f;
    stepBall(fast, 500);
    EXPECT_GT(fast.x, 0.2f);
    EXPECT_LT(fast.x, 1.8f);

    // Frames of normal length are stepped whole.
    Ball whole{[&] { return tick; }}, direct{[&] { return tick; }};
    for (Ball* ball : {&whole, &direct}) {
        ball->begin(board);
        ball->vx = 0.01f;
    }
    stepBall(whole, 30);
    direct.step(30);
    EXPECT_EQ(whole.x, direct.x);
}

// A stall's frame is stepped in pieces; its report is the last piece's, with a drop that began
// and the hardest strike in any of them.
TEST(PlayLoop, ALongFramesReportKeepsTheDropAndTheStrikeOfEveryPiece) {
    std::int32_t tick = 0;
    Board board = makeCorridor(3);
    board.kinds[2] = KIND_TRAP;
    Ball whole{[&] { return tick; }}, pieces{[&] { return tick; }};
    for (Ball* ball : {&whole, &pieces}) {
        ball->begin(board);
        ball->vx = -0.05f; // into the left end first
        ball->tiltX = 600;
    }
    const StepReport report = advanceBall(whole, 500);
    StepReport last;
    bool dropped = false;
    float strikeSpeed = 0.0f;
    for (int i = 0; i < 50 && last.result == StepResult::Rolling; ++i) {
        last = pieces.advance(10);
        dropped = dropped || last.dropped;
        strikeSpeed = std::max(strikeSpeed, last.strikeSpeed);
    }
    ASSERT_TRUE(dropped);
    ASSERT_FALSE(last.dropped) << "the drop began before the last piece";
    ASSERT_EQ(last.strikeSpeed, 0.0f) << "the strike came before the last piece";
    EXPECT_GT(strikeSpeed, STRIKE_SPEED);
    EXPECT_EQ(report.result, last.result);
    EXPECT_TRUE(report.dropped);
    EXPECT_EQ(report.drop, DropKind::TrapHole);
    EXPECT_EQ(report.strikeSpeed, strikeSpeed);
    EXPECT_EQ(whole.x, pieces.x);
}

TEST(PlayLoop, SecondsUseTheSinglePrecisionMillisecond) {
    EXPECT_EQ(formatSeconds(15), "0.02");
    EXPECT_EQ(formatSeconds(125), "0.13");
    EXPECT_EQ(formatSeconds(0), "0.00");
    EXPECT_EQ(formatSeconds(30000), "30.00");
}

TEST(PlayLoop, TheClockDisplayCountsFramesPerHalfSecondWhileRunning) {
    std::int32_t tick = 10000;
    Timer timer{[&] { return tick; }};
    timer.init(-1);
    timer.start();
    EXPECT_EQ(timer.fpsPeriod, 20); // the half-second count
    for (int frame = 0; frame < 30; ++frame, tick += 10)
        readClockForDisplay(timer, tick);
    // Ticks 10000 ... 10290: still in the first half second, 30 frames counted.
    EXPECT_EQ(timer.frames, 30);
    tick = 10501;
    EXPECT_EQ(readClockForDisplay(timer, tick), 501);
    EXPECT_EQ(timer.fps, 60);
    EXPECT_EQ(timer.frames, 1);
    EXPECT_EQ(timer.fpsPeriod, 21);
    // A stopped clock shows its stop time and counts nothing.
    timer.stop();
    tick = 20000;
    EXPECT_EQ(readClockForDisplay(timer, tick), 501);
    EXPECT_EQ(timer.frames, 1);
}

TEST_F(PlayLoopTest, TheHostHearsEveryStepAndWhetherACompletionIsTheBoardsBest) {
    Board board = makeCorridor(4);
    PlayEntry entry(board);
    BestTimes::Times times = {-1, -1, -1, -1, -1};
    entry.bestTimes = &times;
    host.onPoll = [&] { ball.tiltX = 600; };
    int stepsHeard = 0;
    std::vector<DropKind> drops;
    host.onStepSounds = [&](const StepReport& report) {
        ++stepsHeard;
        if (report.dropped)
            drops.push_back(report.drop);
    };
    // Completed twice: "reset" after the first, "exit" after the second, which is no faster.
    host.device.pressKeys({KEY_RETURN});
    host.device.pause();
    host.device.pressKeys({KEY_DOWN, KEY_RETURN});
    EXPECT_FALSE(playBoard(entry, false, ball, host));
    EXPECT_EQ(host.completionSounds, (std::vector<bool>{true, false}));
    EXPECT_EQ(drops, (std::vector<DropKind>{DropKind::GoalHole, DropKind::GoalHole}));
    EXPECT_EQ(stepsHeard, host.framesDrawn);
}

TEST(PlayLoop, TheFailedOverlayNamesItsCauseAndREveryOverlayStartsTheBoardAgain) {
    struct Case {
        std::int32_t kind; // of the cell after the start
        std::int32_t timeLimit;
        bool pause;
        Outcome outcome;
        FailCause cause;
    };
    for (const Case& c : {Case{KIND_TRAP, -1, false, Outcome::Failed, FailCause::Hole},
                          Case{KIND_GAP, -1, false, Outcome::Failed, FailCause::Gap},
                          Case{KIND_FLOOR, 0, false, Outcome::Failed, FailCause::OutOfTime},
                          Case{KIND_GOAL, -1, false, Outcome::Completed, FailCause::None},
                          Case{KIND_FLOOR, -1, true, Outcome::Paused, FailCause::None}}) {
        Board board = makeCorridor(4, c.timeLimit);
        board.kinds[1] = c.kind;
        PlayEntry entry(board);
        FakeHost host;
        Ball ball{[&] { return host.tick; }};
        host.onPoll = [&] { ball.tiltX = 600; };
        if (c.pause)
            host.commands = {PlayKeyCommand::Pause, PlayKeyCommand::None, PlayKeyCommand::Pause};
        else
            host.commands.assign(300, PlayKeyCommand::None);
        // 'r' in the first overlay; the board ends the same way again, and Escape leaves.
        host.device.pressKey(KEY_R);
        host.device.pause();
        host.device.pressKey(KEY_ESCAPE);
        EXPECT_FALSE(playBoard(entry, false, ball, host));
        ASSERT_EQ(host.overlays.size(), 2u);
        EXPECT_EQ(host.runsStarted, 2);
        for (const RecordedOverlay& overlay : host.overlays) {
            EXPECT_EQ(overlay.outcome, c.outcome);
            EXPECT_EQ(overlay.cause, c.cause);
        }
    }
    EXPECT_STREQ(describeFailCause(FailCause::Hole), "fell into a hole");
    EXPECT_STREQ(describeFailCause(FailCause::Gap), "fell through a gap");
    EXPECT_STREQ(describeFailCause(FailCause::OutOfTime), "out of time");
}

TEST_F(PlayLoopTest, AnArrowHeldIntoTheOverlayActsThereOnlyOncePressedAgain) {
    Board board = makeCorridor(3);
    PlayEntry entry(board);
    // Play takes the arrow that steers the ball into the goal; it is still down when the
    // completed overlay shows.
    host.onPoll = [&] {
        ball.tiltX = 600;
        InputEvent event;
        while (host.device.pollEvent(event)) {
        }
    };
    host.device.holdKey(KEY_DOWN);
    host.device.pause();
    host.device.pressKey(KEY_DOWN); // its press still queued, or a repeat: nothing
    host.device.releaseKey(KEY_DOWN);
    host.device.pause();
    host.device.pressKey(KEY_DOWN); // pressed again: "exit"
    host.device.pause();
    host.device.pressKey(KEY_RETURN);
    EXPECT_FALSE(playBoard(entry, false, ball, host));
    ASSERT_EQ(host.overlays.size(), 3u);
    EXPECT_EQ(host.overlays[0].outcome, Outcome::Completed);
    EXPECT_EQ(host.overlays[1].selected, 0u);
    EXPECT_EQ(host.overlays[2].selected, 1u);
}

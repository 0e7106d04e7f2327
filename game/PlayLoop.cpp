#include "game/PlayLoop.h"

#include "base/InputDevice.h"
#include "base/KeyCodes.h"
#include "game/Ball.h"
#include "game/Board.h"
#include "game/BoardName.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

PlayEntry::PlayEntry(const std::string& path, BestTimes& table)
    : board(*new Board(path)), name(nameBoardFile(path)), bestTimes(&table.entry(path)),
      ownsBoard(true), ownedBoard(&board) {}

PlayEntry::PlayEntry(Board& lentBoard) : board(lentBoard), name("random maze") {}

namespace {

// The word the overlay shows for each item.
struct OverlayItemLabel {
    OverlayItem item;
    const char* label;
};

constexpr OverlayItemLabel OVERLAY_ITEM_LABELS[] = {
    {OverlayItem::Continue, "continue"},
    {OverlayItem::Next, "next"},
    {OverlayItem::Reset, "reset"},
    {OverlayItem::Exit, "exit"},
};

// The failed overlay's line for each cause.
struct FailCauseLabel {
    FailCause cause;
    const char* label;
};

constexpr FailCauseLabel FAIL_CAUSE_LABELS[] = {
    {FailCause::Hole, "fell into a hole"},
    {FailCause::Gap, "fell through a gap"},
    {FailCause::OutOfTime, "out of time"},
};

} // namespace

const std::vector<OverlayItem>& overlayItems(Outcome outcome, bool nextOffered) {
    using Item = OverlayItem;
    static const std::vector<Item> pause{Item::Continue, Item::Reset, Item::Exit};
    static const std::vector<Item> pauseWithNext{Item::Continue, Item::Next, Item::Reset,
                                                 Item::Exit};
    static const std::vector<Item> result{Item::Reset, Item::Exit};
    static const std::vector<Item> resultWithNext{Item::Next, Item::Reset, Item::Exit};
    if (outcome == Outcome::Paused)
        return nextOffered ? pauseWithNext : pause;
    return nextOffered ? resultWithNext : result;
}

const char* describeOverlayItem(OverlayItem item) {
    for (const OverlayItemLabel& row : OVERLAY_ITEM_LABELS)
        if (row.item == item)
            return row.label;
    return "";
}

const char* describeFailCause(FailCause cause) {
    for (const FailCauseLabel& row : FAIL_CAUSE_LABELS)
        if (row.cause == cause)
            return row.label;
    return "";
}

FailCause findFailCause(DropKind drop) {
    switch (drop) {
    case DropKind::GoalHole:
    case DropKind::TrapHole:
        return FailCause::Hole;
    case DropKind::Gap:
        return FailCause::Gap;
    case DropKind::None:
        break;
    }
    return FailCause::None;
}

StepReport advanceBall(Ball& ball, std::int32_t stepMs) {
    if (stepMs <= LONG_FRAME_MS)
        return ball.advance(stepMs);
    std::int32_t pieces = (stepMs + SUB_STEP_MS - 1) / SUB_STEP_MS;
    StepReport report;
    // A drop or a strike in any piece is the frame's, not only one in the last.
    bool dropped = false;
    float strikeSpeed = 0.0f;
    // Equal pieces, the remainder spread over the first ones, so the total is exact.
    for (std::int32_t i = 0; i < pieces; ++i) {
        std::int32_t ms = stepMs / pieces + (i < stepMs % pieces ? 1 : 0);
        report = ball.advance(ms);
        dropped = dropped || report.dropped;
        strikeSpeed = std::fmax(strikeSpeed, report.strikeSpeed);
        if (report.result != StepResult::Rolling)
            break;
    }
    report.dropped = dropped;
    report.strikeSpeed = strikeSpeed;
    return report;
}

StepResult stepBall(Ball& ball, std::int32_t stepMs) {
    return advanceBall(ball, stepMs).result;
}

std::int32_t readClockForDisplay(Timer& timer, std::int32_t tick) {
    if (timer.stopTick != -1)
        return timer.stopTick - timer.startTick;
    if (timer.fpsPeriod * FPS_PERIOD_MS + FPS_PERIOD_MS < tick) {
        timer.fps = timer.frames * 2;
        timer.frames = 0;
        timer.fpsPeriod = tick / FPS_PERIOD_MS;
    }
    timer.frames += 1;
    return tick - timer.startTick;
}

std::string formatSeconds(std::int32_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.02f", static_cast<double>(ms) * double{0.001f});
    return text;
}

std::int32_t sumPackTimes(const std::vector<const BestTimes::Times*>& packTimes) {
    if (packTimes.empty())
        return -1;
    std::int64_t total = 0;
    for (const BestTimes::Times* times : packTimes) {
        if (times == nullptr || (*times)[0] < 0)
            return -1;
        total += (*times)[0];
    }
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(total, std::numeric_limits<std::int32_t>::max()));
}

namespace {

// The overlay a step opens, or none while the ball rolls on.
std::optional<Outcome> findOutcome(StepResult result) {
    switch (result) {
    case StepResult::Rolling:
        return std::nullopt;
    case StepResult::Lost:
        return Outcome::Failed;
    case StepResult::Completed:
        return Outcome::Completed;
    }
    return std::nullopt;
}

// Moves the selection or picks an item for one key press.
std::optional<OverlayItem> handleOverlayKey(int key, const std::vector<OverlayItem>& items,
                                            unsigned& selected) {
    unsigned count = static_cast<unsigned>(items.size());
    if (key == KEY_DOWN)
        selected = (selected + 1) % count;
    else if (key == KEY_UP)
        selected = (selected + count - 1) % count;
    else if (key == KEY_RETURN || key == KEY_SPACE)
        return items[selected];
    else if (key == KEY_ESCAPE)
        return OverlayItem::Exit;
    else if (key == KEY_R)
        return OverlayItem::Reset; // the key that restarts play does so here too
    return std::nullopt;
}

// Waits for an item: one blocking wait, then every queued event, then one redraw. Only key
// presses count; every other event is dropped. A key still held from play once the overlay
// shows (an arrow that steered the ball into the goal) does nothing until pressed again.
OverlayItem waitForChoice(const OverlayView& view, unsigned& selected, PlayHost& host) {
    InputDevice& device = host.inputDevice();
    for (bool shown = false;; shown = true) {
        OverlayView drawn = view;
        drawn.selected = selected;
        host.drawOverlay(drawn);
        if (!shown)
            device.ignoreHeldKeys();
        InputEvent event;
        device.waitEvent(event);
        do {
            if (event.kind != InputEvent::Kind::KeyPress)
                continue;
            std::optional<OverlayItem> choice = handleOverlayKey(event.key, view.items, selected);
            if (choice)
                return *choice;
        } while (device.pollEvent(event));
    }
}

} // namespace

bool showOverlay(PlayEntry& entry, Outcome outcome, bool nextOffered, Ball& ball, PlayHost& host,
                 FailCause cause) {
    host.releaseArrows();
    int rank = -1;
    if (outcome == Outcome::Completed && entry.bestTimes != nullptr) {
        rank = BestTimes::enter(*entry.bestTimes, ball.elapsed());
        if (rank >= 0) {
            BestTimes::Times entered = *entry.bestTimes;
            host.saveBestTimes();
            // Another copy of the game may have set times of this board meanwhile; the save
            // brought them in, so the new time may stand elsewhere, or nowhere.
            if (*entry.bestTimes != entered)
                rank = BestTimes::findSlot(*entry.bestTimes, ball.elapsed());
        }
    }
    if (outcome == Outcome::Completed)
        host.playCompletionSound(rank == 0);
    ball.stop();
    const std::vector<OverlayItem>& items = overlayItems(outcome, nextOffered);
    unsigned selected = 0;
    OverlayView view{outcome, items, selected, rank, entry.bestTimes, ball.elapsed()};
    if (outcome == Outcome::Completed)
        view.packTotalMs = sumPackTimes(entry.packTimes);
    if (outcome == Outcome::Failed)
        view.cause = cause;
    switch (waitForChoice(view, selected, host)) {
    case OverlayItem::Continue:
        ball.start();
        return true;
    case OverlayItem::Next:
        entry.nextRequested = true;
        ball.start();
        return true;
    case OverlayItem::Reset:
        ball.reset();
        host.startRun();
        return true;
    case OverlayItem::Exit:
        return false;
    }
    return false;
}

namespace {

bool runBoard(PlayEntry& entry, bool nextAllowed, Ball& ball, PlayHost& host) {
    bool nextOffered = false;
    // Arrows released in the menus never reached the tilt input.
    host.releaseArrows();
    host.startRun();
    ball.begin(entry.board);
    host.prepareBoard(entry.board);
    std::int32_t nextFrame = host.currentTick();
    std::int32_t lastStep = nextFrame;
    for (;;) {
        if (entry.nextRequested) {
            host.showCursor();
            return true;
        }
        // Paced at one frame per 10 ms; more than 200 ms behind, the schedule restarts from
        // now instead of racing to catch up.
        std::int32_t now = host.currentTick();
        nextFrame += FRAME_PERIOD_MS;
        if (nextFrame > now)
            host.sleep(nextFrame - now);
        if (nextFrame + CATCH_UP_LIMIT_MS < now)
            nextFrame = now;
        std::int32_t stepMs = now - lastStep;
        lastStep = now;

        host.drawFrame();
        if (entry.board.timeLimit >= 0 && ball.elapsed() > entry.board.timeLimit) {
            ball.stop();
            if (!showOverlay(entry, Outcome::Failed, nextOffered, ball, host, FailCause::OutOfTime))
                return false;
            lastStep = nextFrame = host.currentTick();
        }

        switch (host.pollCommand()) {
        case PlayKeyCommand::None:
            break;
        case PlayKeyCommand::Quit:
            return false;
        case PlayKeyCommand::Pause:
            if (!showOverlay(entry, Outcome::Paused, nextOffered, ball, host))
                return false;
            lastStep = nextFrame = host.currentTick();
            break;
        case PlayKeyCommand::Reset:
            ball.reset();
            host.startRun();
            break;
        }

        const StepReport report = advanceBall(ball, stepMs);
        host.playStepSounds(report);
        std::optional<Outcome> outcome = findOutcome(report.result);
        if (!outcome)
            continue;
        if (*outcome == Outcome::Completed && nextAllowed)
            nextOffered = true;
        if (!showOverlay(entry, *outcome, nextOffered, ball, host, findFailCause(report.drop)))
            return false;
        lastStep = nextFrame = host.currentTick();
    }
}

} // namespace

bool playBoard(PlayEntry& entry, bool nextAllowed, Ball& ball, PlayHost& host) {
    if (!entry.board.hasGrids())
        return false;
    host.inputDevice().ignoreSecondClicks();
    const bool next = runBoard(entry, nextAllowed, ball, host);
    // The menus show again: the arrows still steering, or the Escape that left, act on them
    // only when pressed anew.
    host.inputDevice().ignoreHeldKeys();
    return next;
}

#include "app/PlaySounds.h"

#include "base/KeyCodes.h"
#include "game/Ball.h"
#include "game/Board.h"
#include "game/PlayLoop.h"
#include "tests/unit/app/RecordingSoundBackend.h"
#include "tests/unit/base/ScriptedInputDevice.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

using Plays = std::vector<std::string>;

// The sound-effect player on a recording library, loaded with the shipped effects.
struct SoundRig {
    SoundRig() {
        testing::internal::CaptureStderr();
        player.open(TIRVA_DATA_DIR "/sounds");
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    }

    RecordingSoundBackend backend;
    SoundPlayer player{backend};
    PlaySounds sounds{player};
    std::int32_t tick = 1000;
    Timer clock{[this] { return tick; }};

    // One frame's step at tick; a drop named is one that began in it.
    void follow(std::int32_t atTick, float strikeSpeed, DropKind drop = DropKind::None) {
        tick = atTick;
        StepReport report;
        report.strikeSpeed = strikeSpeed;
        report.dropped = drop != DropKind::None;
        report.drop = drop;
        sounds.followStep(report, clock);
    }
};

bool isKnock(const std::string& play) {
    return play.rfind("knock", 0) == 0;
}

} // namespace

TEST(PlaySounds, AKnockFollowsTheStrikesSpeedAndAtMostOneStartsIn40Ms) {
    SoundRig rig;
    EXPECT_EQ(PlaySounds::findKnockVolume(0.0f), 0.0f);
    EXPECT_EQ(PlaySounds::findKnockVolume(STRIKE_SPEED * 0.99f), 0.0f);
    rig.follow(1000, 0.0f);
    rig.follow(1010, 3.5f);
    rig.follow(1049, 7.0f); // 39 ms after the last: dropped
    rig.follow(1050, 7.0f);
    rig.follow(1060, 0.0f);
    rig.follow(1100, 20.0f);
    EXPECT_EQ(rig.backend.takePlays(), (Plays{"knock1 0.50", "knock3 1.00", "knock2 1.00"}));

    // Knocks a frame apart: one in four frames sounds, never the same variation twice running.
    std::vector<std::string> knocks;
    for (std::int32_t t = 2000; t < 3600; t += 10) {
        rig.follow(t, 5.0f);
        for (const std::string& play : rig.backend.takePlays())
            knocks.push_back(play.substr(0, 6));
    }
    EXPECT_EQ(knocks.size(), 40u);
    for (size_t i = 1; i < knocks.size(); ++i)
        EXPECT_NE(knocks[i], knocks[i - 1]) << i;
    EXPECT_EQ(std::set<std::string>(knocks.begin(), knocks.end()).size(), 4u);

    // The tick counter wraps after 49 days; the spacing still holds across it.
    rig.follow(-10, 5.0f);
    rig.follow(20, 5.0f);
    rig.follow(30, 5.0f);
    EXPECT_EQ(rig.backend.takePlays().size(), 2u);
}

TEST(PlaySounds, EachOfTheLimitsLastFiveSecondsTicksOnce) {
    SoundRig rig;
    rig.clock.init(7000);
    rig.clock.start();
    std::vector<std::int32_t> tickedAt;
    auto run = [&](std::int32_t untilElapsed) {
        for (std::int32_t elapsed = rig.clock.elapsed(); elapsed <= untilElapsed; elapsed += 10) {
            rig.follow(rig.clock.startTick + elapsed, 0.0f);
            for (const std::string& play : rig.backend.takePlays()) {
                EXPECT_EQ(play, "clock_tick 1.00");
                tickedAt.push_back(elapsed);
            }
        }
    };
    run(7500);
    EXPECT_EQ(tickedAt, (std::vector<std::int32_t>{2000, 3000, 4000, 5000, 6000}));

    // A restart sets the clock back: the countdown comes again. Mid-run, it starts at once.
    tickedAt.clear();
    rig.clock.init(7000);
    rig.clock.start();
    rig.clock.startTick -= 3500;
    run(4100);
    EXPECT_EQ(tickedAt, (std::vector<std::int32_t>{3500, 4000}));

    // A new board whose limit is the second last ticked on the old one ticks at its start.
    tickedAt.clear();
    rig.clock.init(4000);
    rig.clock.start();
    rig.sounds.restartRun();
    run(0);
    EXPECT_EQ(tickedAt, std::vector<std::int32_t>{0});

    // No limit, no countdown.
    rig.clock.init(-1);
    rig.clock.start();
    run(10000);
    EXPECT_EQ(tickedAt.size(), 1u);
}

TEST(PlaySounds, DropsAndTheEndOfABoardHaveTheirSounds) {
    SoundRig rig;
    rig.follow(1000, 0.0f, DropKind::TrapHole);
    // The frames of the fall after it still name the drop; it is heard once.
    StepReport falling;
    falling.drop = DropKind::TrapHole;
    rig.sounds.followStep(falling, rig.clock);
    rig.follow(2000, 0.0f, DropKind::Gap);
    rig.follow(3000, 0.0f, DropKind::GoalHole); // heard as the completion's chime
    rig.sounds.followCompletion(false);
    rig.sounds.followCompletion(true);
    EXPECT_EQ(rig.backend.takePlays(),
              (Plays{"trap_drop 1.00", "gap_drop 1.00", "goal 1.00", "best_time 1.00"}));
    rig.player.switchSound(false);
    rig.follow(4000, 7.0f, DropKind::TrapHole);
    rig.sounds.followCompletion(true);
    EXPECT_EQ(rig.backend.takePlays(), Plays{});
}

namespace {

// The play loop's window as the game wires it to the sounds; the clock moves only when the
// loop sleeps, and the tilt follows a script of the clock.
class ScriptedPlayHost final : public PlayHost {
public:
    ScriptedPlayHost(std::int32_t& tick, Ball& ball, PlaySounds& sounds)
        : tick(tick), ball(ball), sounds(sounds) {}

    InputDevice& inputDevice() override { return device; }
    std::int32_t currentTick() override { return tick; }
    void sleep(std::int32_t ms) override { tick += ms; }
    void prepareBoard(const Board&) override {}
    void drawFrame() override {}
    void drawOverlay(const OverlayView&) override {}
    void startRun() override { sounds.restartRun(); }
    PlayKeyCommand pollCommand() override {
        ball.tiltX = tiltAt(ball.elapsed());
        return PlayKeyCommand::None;
    }
    void releaseArrows() override {}
    void showCursor() override {}
    void saveBestTimes() override {}
    void playStepSounds(const StepReport& report) override { sounds.followStep(report, ball); }
    void playCompletionSound(bool newBest) override { sounds.followCompletion(newBest); }

    ScriptedInputDevice device;
    std::function<float(std::int32_t elapsedMs)> tiltAt;

private:
    std::int32_t& tick;
    Ball& ball;
    PlaySounds& sounds;
};

} // namespace

// A 1 x 6 corridor with 6 s to play: rolled left into the outline, then right into the goal.
TEST(PlaySounds, AScriptedPlayAsksForAKnockTheLastSecondsAndTheGoal) {
    SoundRig rig;
    Board board;
    ASSERT_FALSE(board.parse("1 6\n000000\n\n001002\n\n6000\n"));
    Ball ball([&rig] { return rig.tick; });
    ScriptedPlayHost host(rig.tick, ball, rig.sounds);
    host.tiltAt = [](std::int32_t elapsedMs) { return elapsedMs < 900 ? -600.0f : 600.0f; };
    host.device.pressKey(KEY_ESCAPE); // leaves the result overlay
    PlayEntry entry(board);
    EXPECT_FALSE(playBoard(entry, false, ball, host));

    const Plays plays = rig.backend.takePlays();
    ASSERT_GE(plays.size(), 3u);
    EXPECT_TRUE(isKnock(plays.front())) << plays.front();
    EXPECT_EQ(plays.back(), "goal 1.00");
    int knocks = 0, ticks = 0;
    for (const std::string& play : plays) {
        knocks += isKnock(play) ? 1 : 0;
        ticks += play == "clock_tick 1.00" ? 1 : 0;
    }
    EXPECT_GE(knocks, 1);
    EXPECT_GE(ball.elapsed(), 1000) << "the run reaches the countdown";
    EXPECT_EQ(ticks, ball.elapsed() / 1000) << "one at 5 s left, one at 4 s, ...";
    EXPECT_EQ(plays.size(), knocks + ticks + 1u) << "no drop sound before the goal's";
}

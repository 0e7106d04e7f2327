#pragma once
// Which effects play hears, decided from what each frame's physics step reports and from the
// ball's clock: a knock for a strike into a wall, as loud as the strike is hard; the sound of
// a drop into a trap hole or a gap; a tick for each of the last five seconds of a time limit;
// the goal's chime, or a longer one for a new best time.

#include "app/SoundPlayer.h"

#include <cstdint>

class Timer;
struct StepReport;

class PlaySounds {
public:
    // A knock's volume follows the speed into the wall, full from here (a ball rolls at most
    // 7.5 board units a second). The step reports no strike under STRIKE_SPEED, a third of it.
    static constexpr float KNOCK_FULL_SPEED = 7.0f; // board units a second
    // At most one knock starts in this long, so a ball rattling in a corner or bouncing along
    // a wall does not buzz.
    static constexpr std::int32_t KNOCK_SPACING_MS = 40;
    static constexpr std::int32_t COUNTDOWN_SECONDS = 5;

    explicit PlaySounds(SoundPlayer& sounds);

    // The volume of a knock at strikeSpeed: 0 below a strike's least speed, else up to 1.
    static float findKnockVolume(float strikeSpeed);

    // A new run on a board, or the same board again: the countdown starts afresh.
    void restartRun();
    // After each frame's step: what its report says, at the clock's tick, and the clock's
    // time left.
    void followStep(const StepReport& report, const Timer& clock);
    void followCompletion(bool newBest);

private:
    void knock(float strikeSpeed, std::int32_t tick);
    void countDown(const Timer& clock);

    SoundPlayer& sounds;
    bool hasKnocked = false;
    std::int32_t lastKnockTick = 0;
    unsigned knockCount = 0;      // picks the next of the knock's variations
    std::int32_t lastCounted = 0; // the second left last ticked; 0 before the countdown
};

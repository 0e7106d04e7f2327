#include "app/PlaySounds.h"

#include "game/Ball.h"

#include <algorithm>
#include <iterator>

namespace {

// The knocks' variations in an order that never plays one twice running, not even across the
// wrap, so repeated knocks do not sound like one sample.
constexpr SoundEffect KNOCK_ORDER[] = {
    SoundEffect::Knock1, SoundEffect::Knock3, SoundEffect::Knock2, SoundEffect::Knock4,
    SoundEffect::Knock3, SoundEffect::Knock1, SoundEffect::Knock4, SoundEffect::Knock2};

} // namespace

PlaySounds::PlaySounds(SoundPlayer& sounds) : sounds(sounds) {}

float PlaySounds::findKnockVolume(float strikeSpeed) {
    if (!(strikeSpeed >= STRIKE_SPEED))
        return 0.0f;
    return std::min(strikeSpeed / KNOCK_FULL_SPEED, 1.0f);
}

void PlaySounds::restartRun() {
    lastCounted = 0;
}

void PlaySounds::followStep(const StepReport& report, const Timer& clock) {
    knock(report.strikeSpeed, clock.now());
    // The report names the drop for as long as the ball falls; it is heard once, as it begins.
    // A drop into a goal hole is heard as the goal's chime when the board is completed.
    if (report.dropped && report.drop == DropKind::TrapHole)
        sounds.play(SoundEffect::TrapDrop);
    else if (report.dropped && report.drop == DropKind::Gap)
        sounds.play(SoundEffect::GapDrop);
    countDown(clock);
}

void PlaySounds::followCompletion(bool newBest) {
    sounds.play(newBest ? SoundEffect::BestTime : SoundEffect::Goal);
}

void PlaySounds::knock(float strikeSpeed, std::int32_t tick) {
    const float volume = findKnockVolume(strikeSpeed);
    // Unsigned, so that the difference stays right when the tick counter wraps.
    const std::uint32_t sinceLast =
        static_cast<std::uint32_t>(tick) - static_cast<std::uint32_t>(lastKnockTick);
    if (volume == 0.0f || (hasKnocked && sinceLast < KNOCK_SPACING_MS))
        return;
    hasKnocked = true;
    lastKnockTick = tick;
    sounds.play(KNOCK_ORDER[knockCount++ % std::size(KNOCK_ORDER)], volume);
}

// One tick as each of the last seconds begins: at 5 s left, 4 s, ... 1 s. A clock set back
// by a restart counts down again.
void PlaySounds::countDown(const Timer& clock) {
    const std::int64_t leftMs = std::int64_t{clock.target} - clock.elapsed();
    if (clock.target < 0 || leftMs <= 0)
        return;
    const std::int64_t secondsLeft = (leftMs + 999) / 1000;
    if (secondsLeft > COUNTDOWN_SECONDS) {
        lastCounted = 0;
        return;
    }
    if (secondsLeft == lastCounted)
        return;
    lastCounted = static_cast<std::int32_t>(secondsLeft);
    sounds.play(SoundEffect::ClockTick);
}

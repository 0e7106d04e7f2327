#pragma once
// The credits' clock: 20 ms frames paced against the tick counter and the text rising half a
// screen unit per second from below the bottom edge until it has left the top; and what ends
// them early.

#include <cstdint>

struct InputEvent;

// Escape, Return or Space, or a click of the left or right button (which stand for Return and
// Escape in the menus); other keys and buttons do not.
bool endsCredits(const InputEvent& event);

class CreditsTimeline {
public:
    static constexpr std::uint32_t FRAME_PERIOD_MS = 20;
    // After a stall longer than this the pacing starts afresh instead of catching up.
    static constexpr std::uint32_t CATCH_UP_LIMIT_MS = 200;
    static constexpr float START_SCROLL = -1.2f;    // first line just below the bottom edge
    static constexpr float END_SCROLL = 2.6f;       // the studio line has left the top edge
    static constexpr double SCROLL_PER_MS = 0.0005; // screen units per ms

    explicit CreditsTimeline(std::uint32_t nowMs) : lastMs(nowMs), nextMs(nowMs) {}

    float scroll() const { return scroll_; }
    bool isRunning() const { return scroll_ <= END_SCROLL; }

    // Books the next frame slot at nowMs and returns how long to sleep before it.
    std::uint32_t scheduleFrame(std::uint32_t nowMs);
    // Moves the text by the time from the previous frame to the one just scheduled, which
    // after a stall is the whole stall.
    void advance();

private:
    std::uint32_t lastMs;
    std::uint32_t nextMs;
    std::uint32_t frameMs = 0;
    float scroll_ = START_SCROLL;
};

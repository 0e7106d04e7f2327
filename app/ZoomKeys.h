#pragma once
// The zoom keys of play, 'a' (the follow camera further away) and 's' (nearer): a press steps
// the camera's distance at once, and a key held longer than a moment goes on zooming
// smoothly, the way a held key repeats, so a single press still steps as it always did.

#include <cstdint>

class ZoomKeys {
public:
    static constexpr float DISTANCE_STEP = 0.2f;       // board units per press
    static constexpr std::int32_t HOLD_DELAY_MS = 250; // held this long, the zoom runs on
    // Board units per second while held: a step every frame at 100 frames per second, so a
    // second of holding crosses everything from the nearest view to a whole 20-cell board.
    static constexpr double HELD_RATE = 20.0;

    enum class Direction { Away, Nearer }; // 'a', 's'

    // The key of direction goes down at tickMs: the distance steps once, never below
    // nearest.
    void press(Direction direction, std::int32_t tickMs, float nearest, float& distance);
    void release(Direction direction);
    void releaseAll();
    // Moves the distance on to tickMs for each key held past its delay since the last update,
    // never below nearest.
    void update(std::int32_t tickMs, float nearest, float& distance);

private:
    struct Key {
        bool held = false;
        std::int32_t runsFromMs = 0; // when its smooth zoom begins
    };

    Key keys[2]; // by Direction
    std::int32_t lastTickMs = 0;
};

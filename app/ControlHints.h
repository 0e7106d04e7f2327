#pragma once
// What play tells a new player about the controls: a line naming them during the first
// seconds of every board and in the pause overlay, above it a line naming the board and its
// time limit, and a line on how to get the mouse back while it does not steer. Shown only;
// nothing of it is written anywhere.

#include <cstdint>
#include <string>
#include <vector>

// The controls in force and the board played, as the lines name them.
struct ControlState {
    bool mouseMode = true;
    bool hasAccelerometer = false;
    bool followView = true;       // 'a' and 's' zoom only the follow view
    bool wholeViewAllowed = true; // the board lets the view key show all of it
    std::string boardName;        // empty: no line for the board
    std::int32_t timeLimitMs = -1;
};

// When the controls line shows: from the start of a board until the player has tilted the
// board for a moment, and for at least MIN_SHOWN_MS.
class ControlHints {
public:
    static constexpr std::int32_t MIN_SHOWN_MS = 4000;
    static constexpr std::int32_t TILTING_MS = 500; // a moment of tilting: the controls are found
    static constexpr float LEANING_TILT = 60.0f;    // tilt units (6 degrees) that count as tilting

    // A board starts at tickMs: the line shows again.
    void restart(std::int32_t tickMs);
    // Adds the time since the last update to the tilting time when the board leans.
    void update(std::int32_t tickMs, float tiltX, float tiltY);
    bool isShown(std::int32_t tickMs) const;

private:
    std::int32_t startTick = 0;
    std::int32_t lastTick = 0;
    std::int32_t tiltingMs = 0;
};

// The controls line: how to tilt, pause, restart, leave, (in the follow view) zoom and
// (where the board allows the whole view) switch the view.
std::string describeControls(const ControlState& state);
// The board's line: its name, its time limit in words ("limit 22 s") when it has one, and
// "follow view only" when it forbids the whole-board view.
std::string describeBoard(const ControlState& state);
// A time limit in words: "limit 22 s", "limit 2.5 s".
std::string describeTimeLimit(std::int32_t limitMs);

// The lines to show at the bottom of play, top to bottom: the board's line while
// controlsShown, how to get the mouse back while it does not steer, and the controls line
// while controlsShown. Without an accelerometer a board that ignores the mouse is always
// explained; with one, steering by the laptop is the usual way and is named only beside the
// controls line.
std::vector<std::string> listHintLines(const ControlState& state, bool controlsShown);

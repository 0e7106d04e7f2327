#pragma once
// The input of `tirva-tool simulate`: lines "MS TILTX TILTY" that drive the ball step by step.
// Shared by the tool and its fuzz target.

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>

#include "game/Ball.h"

class Board;

constexpr std::int32_t MAX_STEP_MS = 60000; // longer steps are refused as typing errors
// A step line is a few dozen bytes; reading stops at a line longer than this, so an endless
// line (a device on standard input) cannot grow without bound.
constexpr std::size_t MAX_STEP_LINE_BYTES = 4096;

enum class LineRead { Line, End, TooLong };

// Reads the next line of in, without its line feed, into line. A last line without a line
// feed still counts; TooLong as soon as a line passes maxBytes, which is then not read on.
LineRead readBoundedLine(std::istream& in, std::string& line, std::size_t maxBytes);

struct StepLine {
    std::int32_t ms = 0;
    float tiltX = 0.0f;
    float tiltY = 0.0f;
};

// One input line: a step, nothing (an empty line or a '#' comment), or a malformed line
// (ok set to false), which includes a step below 0 or above MAX_STEP_MS milliseconds and a
// tilt that is no finite number. A tilt beyond MAX_TILT either way is taken as MAX_TILT.
std::optional<StepLine> parseStepLine(const std::string& text, bool& ok);

// A ball rolled over a board by step lines, on a clock that advances by each line's
// milliseconds, so a finishing time is reproducible.
class StepRunner {
public:
    explicit StepRunner(const Board& board);
    StepRunner(const StepRunner&) = delete;
    StepRunner& operator=(const StepRunner&) = delete;

    // True once a step has lost the ball or completed the board.
    bool isFinished() const { return finished; }
    // Applies one input line, appending "x y z vx vy goalMark result" for a step; false for
    // a malformed line. A step runs as the play loop runs a frame of that length: one
    // longer than LONG_FRAME_MS is split into pieces of at most SUB_STEP_MS.
    bool feed(const std::string& text, std::string& output);

private:
    std::int32_t clockMs = 0;
    Ball ball;
    bool finished = false;
};

#include "tools/Commands.h"

#include "app/Settings.h"
#include "game/Ball.h"
#include "game/Board.h"

#include <charconv>
#include <cstdio>
#include <iostream>
#include <sstream>

namespace {

constexpr const char* HELP = R"(usage: tirva-tool simulate BOARD < STEPS

Puts the ball on BOARD's start cell as the game does, then reads lines "MS TILTX TILTY"
from standard input (an integer and two decimal numbers; tilt runs from -600 to 600;
empty lines and lines starting with # are skipped). For each it sets the tilt, advances
the clock by MS and runs one physics step of MS milliseconds, then prints
  x y z vx vy goalMark result
(floats as printf "%.9g"; goalMark 0 or 1; result 0 rolling, 1 ball lost, 2 completed).
Stops after the first step whose result is not 0, or at the end of the input.
)";

struct StepLine {
    std::int32_t ms = 0;
    float tiltX = 0.0f;
    float tiltY = 0.0f;
};

std::optional<std::int32_t> parseInteger(const std::string& text) {
    std::int32_t value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    auto [end, error] = std::from_chars(first, last, value);
    if (first == last || error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

// Nothing for a line to skip; false in ok for a malformed one.
std::optional<StepLine> parseStepLine(const std::string& text, bool& ok) {
    ok = true;
    std::istringstream fields(text);
    std::string ms, tiltX, tiltY, extra;
    if (!(fields >> ms) || ms[0] == '#')
        return std::nullopt;
    fields >> tiltX >> tiltY;
    std::optional<std::int32_t> msValue = parseInteger(ms);
    std::optional<float> x = parseDecimalFloat(tiltX);
    std::optional<float> y = parseDecimalFloat(tiltY);
    if (!msValue || !x || !y || (fields >> extra)) {
        ok = false;
        return std::nullopt;
    }
    return StepLine{*msValue, *x, *y};
}

} // namespace

int runSimulateCommand(const Arguments& args) {
    if (wantsHelp(args)) {
        std::fputs(HELP, stdout);
        return 0;
    }
    if (args.size() != 1)
        return reportUsageError("simulate", "expected exactly one BOARD file");
    Board board(args[0]);
    if (!board.hasGrids())
        return 1;
    // The clock advances by each line's milliseconds, so a finishing time is reproducible.
    std::int32_t clockMs = 0;
    Ball ball([&clockMs] { return clockMs; });
    ball.begin(board);

    std::string text;
    for (int number = 1; std::getline(std::cin, text); ++number) {
        bool ok = true;
        std::optional<StepLine> line = parseStepLine(text, ok);
        if (!ok)
            return reportUsageError("simulate",
                                    "line " + std::to_string(number) + ": expected MS TILTX TILTY");
        if (!line)
            continue;
        ball.tiltX = line->tiltX;
        ball.tiltY = line->tiltY;
        clockMs += line->ms;
        StepResult result = ball.step(line->ms);
        std::printf("%.9g %.9g %.9g %.9g %.9g %d %d\n", ball.x, ball.y, ball.z, ball.vx, ball.vy,
                    ball.goalMark ? 1 : 0, static_cast<int>(result));
        if (result != StepResult::Rolling)
            break;
    }
    return 0;
}

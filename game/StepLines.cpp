#include "game/StepLines.h"

#include "base/Numbers.h"
#include "game/Board.h"
#include "game/PlayLoop.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <sstream>

LineRead readBoundedLine(std::istream& in, std::string& line, std::size_t maxBytes) {
    line.clear();
    for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
        if (c == '\n')
            return LineRead::Line;
        if (line.size() == maxBytes)
            return LineRead::TooLong;
        line.push_back(static_cast<char>(c));
    }
    return line.empty() ? LineRead::End : LineRead::Line;
}

std::optional<StepLine> parseStepLine(const std::string& text, bool& ok) {
    ok = true;
    std::istringstream fields(text);
    std::string ms, tiltX, tiltY, extra;
    if (!(fields >> ms) || ms[0] == '#')
        return std::nullopt;
    fields >> tiltX >> tiltY;
    std::optional<std::int64_t> msValue = parseWholeInteger(ms);
    std::optional<float> x = parseDecimalFloat(tiltX);
    std::optional<float> y = parseDecimalFloat(tiltY);
    // A step is a frame: negative or longer than a minute, it is a typing error.
    bool plausibleStep = msValue && *msValue >= 0 && *msValue <= MAX_STEP_MS;
    if (!plausibleStep || !x || !y || (fields >> extra)) {
        ok = false;
        return std::nullopt;
    }
    // Tilted further than the board goes, it stops at its limit, as the game's tilt input
    // holds it there.
    return StepLine{static_cast<std::int32_t>(*msValue), std::clamp(*x, -MAX_TILT, MAX_TILT),
                    std::clamp(*y, -MAX_TILT, MAX_TILT)};
}

StepRunner::StepRunner(const Board& board) : ball([this] { return clockMs; }) {
    ball.begin(board);
}

bool StepRunner::feed(const std::string& text, std::string& output) {
    bool ok = true;
    std::optional<StepLine> line = parseStepLine(text, ok);
    if (!line)
        return ok;
    ball.tiltX = line->tiltX;
    ball.tiltY = line->tiltY;
    // The clock stops at its largest value rather than wrapping round on a very long input.
    clockMs = static_cast<std::int32_t>(
        std::min<std::int64_t>(std::int64_t{clockMs} + line->ms, INT32_MAX));
    StepResult result = stepBall(ball, line->ms);
    char printed[160];
    std::snprintf(printed, sizeof printed, "%.9g %.9g %.9g %.9g %.9g %d %d\n", ball.x, ball.y,
                  ball.z, ball.vx, ball.vy, ball.goalMark ? 1 : 0, static_cast<int>(result));
    output += printed;
    finished = result != StepResult::Rolling;
    return true;
}

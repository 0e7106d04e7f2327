#include "tools/Commands.h"

#include "game/Board.h"
#include "game/StepLines.h"

#include <cstdio>
#include <iostream>
#include <sstream>

namespace {

constexpr const char* HELP = R"(usage: tirva-tool simulate BOARD < STEPS

Puts the ball on BOARD's start cell as the game does, then reads lines "MS TILTX TILTY"
from standard input (an integer from 0 to 60000 and two decimal numbers; tilt runs from
-600 to 600, and a tilt beyond is taken as -600 or 600, as the game's tilt input holds it;
empty lines and lines starting with # are skipped; a line may hold at most 4096 bytes). For each it sets the tilt, advances the clock by MS and steps the ball by MS
milliseconds as the game's play loop steps a frame of that length (one step, or pieces of
at most 10 ms when MS is over 30), then prints
  x y z vx vy goalMark result
(floats as printf "%.9g"; goalMark 0 or 1; result 0 rolling, 1 ball lost, 2 completed).
Stops after the first step whose result is not 0, or at the end of the input.
)";

} // namespace

int runSimulateCommand(const Arguments& args) {
    if (wantsHelp(args)) {
        std::fputs(HELP, stdout);
        return 0;
    }
    if (args.size() != 1)
        return reportUsageError("simulate", "expected exactly one BOARD file");
    Board board;
    loadBoardArgument(board, args[0]);
    if (!board.hasGrids())
        return 1;
    StepRunner runner(board);
    std::string text;
    // Each step is printed and flushed as its line arrives, so a driver can steer the ball.
    for (int number = 1; !runner.isFinished(); ++number) {
        LineRead read = readBoundedLine(std::cin, text, MAX_STEP_LINE_BYTES);
        if (read == LineRead::End)
            break;
        if (read == LineRead::TooLong)
            return reportUsageError("simulate", "line " + std::to_string(number) +
                                                    ": longer than " +
                                                    std::to_string(MAX_STEP_LINE_BYTES) + " bytes");
        std::string output;
        if (!runner.feed(text, output))
            return reportUsageError("simulate",
                                    "line " + std::to_string(number) + ": expected MS TILTX TILTY");
        std::fputs(output.c_str(), stdout);
        std::fflush(stdout);
    }
    return 0;
}

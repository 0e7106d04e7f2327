// Feeds arbitrary bytes to tirva-tool simulate's step reader, on a small board with walls,
// holes and a gap: any step lines, huge or negative milliseconds and tilts included, must be
// read or refused without undefined behaviour, and the ball must stay a number.

#include "game/Board.h"
#include "game/StepLines.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

const char* const BOARD = "3 4\n0a21\n4802\n0000\n\n1003\n0240\n0002\n";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Board board = [] {
        Board loaded;
        if (loaded.parse(BOARD))
            std::abort();
        return loaded;
    }();
    StepRunner runner(board);
    std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
    std::string text, output;
    while (!runner.isFinished() &&
           readBoundedLine(input, text, MAX_STEP_LINE_BYTES) == LineRead::Line)
        if (!runner.feed(text, output))
            break;
    return 0;
}

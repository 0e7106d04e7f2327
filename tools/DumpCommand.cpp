#include "tools/Commands.h"

#include "game/Board.h"

#include <cstdio>

namespace {

constexpr const char* HELP = R"(usage: tirva-tool dump BOARD

Loads BOARD with the game's loader and prints it as one JSON object on one line:
  {"height":H,"width":W,"walls":[[...W masks...],...H rows],"kinds":[[...],...],
   "timeLimit":T,"startX":X,"startY":Y,"noTopView":false}
Wall masks: 1 wall towards the next row, 2 towards the next column, 4 and 8 the diagonals.
Kinds: 0 floor, 1 start, 2 goal hole, 3 trap hole, 4 gap. timeLimit is in ms, -1 for none.
A board the loader refuses prints its message on standard error and exits 1.
)";

void printGrid(const char* name, const Board& board, bool walls) {
    std::printf("\"%s\":[", name);
    for (std::int32_t r = 0; r < board.height; ++r) {
        std::printf(r == 0 ? "[" : ",[");
        for (std::int32_t c = 0; c < board.width; ++c) {
            std::size_t i = c + static_cast<std::size_t>(r) * board.width;
            std::printf(c == 0 ? "%d" : ",%d", walls ? board.walls[i] : board.kinds[i]);
        }
        std::printf("]");
    }
    std::printf("]");
}

} // namespace

int runDumpCommand(const Arguments& args) {
    if (wantsHelp(args)) {
        std::fputs(HELP, stdout);
        return 0;
    }
    if (args.size() != 1)
        return reportUsageError("dump", "expected exactly one BOARD file");
    Board board;
    loadBoardArgument(board, args[0]);
    if (!board.hasGrids())
        return 1;
    std::printf("{\"height\":%d,\"width\":%d,", board.height, board.width);
    printGrid("walls", board, true);
    std::printf(",");
    printGrid("kinds", board, false);
    std::printf(",\"timeLimit\":%d,\"startX\":%.9g,\"startY\":%.9g,\"noTopView\":%s}\n",
                board.timeLimit, board.startX, board.startY, board.noTopView ? "true" : "false");
    return 0;
}

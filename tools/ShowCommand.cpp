#include "tools/Commands.h"

#include "game/Board.h"
#include "game/BoardDrawing.h"

#include <cstdio>
#include <string>

namespace {

constexpr const char* HELP = R"(usage: tirva-tool show [--rulers] BOARD

Draws BOARD as text: every cell is three characters between its walls.
  ---  |   straight walls (the outline is always walled)
  \ /  X   diagonal walls (X: both), drawn on both sides of the cell
  S  start (s: an earlier start cell that the last one overrides)
  G  goal hole    T  trap hole    #  gap    ?  a kind other than 0 to 4
A board the loader refuses prints its message on standard error and exits 1.
  --rulers  numbers the columns above the picture and the rows left of it, from 1
Edit the picture and turn it back into a board with tirva-tool compose.
)";

} // namespace

int runShowCommand(const Arguments& args) {
    if (wantsHelp(args)) {
        std::fputs(HELP, stdout);
        return 0;
    }
    bool withRulers = false;
    Arguments boards;
    for (const std::string& arg : args)
        if (arg == "--rulers")
            withRulers = true;
        else
            boards.push_back(arg);
    if (boards.size() != 1)
        return reportUsageError("show", "expected exactly one BOARD file");
    Board board;
    loadBoardArgument(board, boards[0]);
    if (!board.hasGrids())
        return 1;
    std::string picture = drawBoard(board, withRulers);
    std::fwrite(picture.data(), 1, picture.size(), stdout);
    return 0;
}

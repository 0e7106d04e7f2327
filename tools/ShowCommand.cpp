#include "tools/Commands.h"

#include "game/Board.h"

#include <cstdio>
#include <string>

namespace {

constexpr const char* HELP = R"(usage: tirva-tool show BOARD

Draws BOARD as text: every cell is three characters between its walls.
  ---  |   straight walls (the outline is always walled)
  \ /  X   diagonal walls (X: both), drawn on both sides of the cell
  S  start (s: an earlier start cell that the last one overrides)
  G  goal hole    T  trap hole    #  gap    ?  a kind other than 0 to 4
A board the loader refuses prints its message on standard error and exits 1.
)";

char diagonalSymbol(std::uint8_t walls) {
    bool down = walls & WALL_DIAGONAL_DOWN;
    bool up = walls & WALL_DIAGONAL_UP;
    return down && up ? 'X' : down ? '\\' : up ? '/' : ' ';
}

char kindSymbol(const Board& board, std::int32_t c, std::int32_t r, std::int32_t kind) {
    switch (kind) {
    case KIND_FLOOR:
        return ' ';
    case KIND_START:
        return c == static_cast<std::int32_t>(board.startX) &&
                       r == static_cast<std::int32_t>(board.startY)
                   ? 'S'
                   : 's';
    case KIND_GOAL:
        return 'G';
    case KIND_TRAP:
        return 'T';
    case KIND_GAP:
        return '#';
    default:
        return '?';
    }
}

// The line under row r (r = -1: the top of the outline).
std::string drawRowBorder(const Board& board, std::int32_t r) {
    std::string line = "+";
    for (std::int32_t c = 0; c < board.width; ++c) {
        bool walled = r < 0 || r == board.height - 1 ||
                      (board.walls[c + static_cast<std::size_t>(r) * board.width] & WALL_NEXT_ROW);
        line += walled ? "---+" : "   +";
    }
    return line;
}

std::string drawRowCells(const Board& board, std::int32_t r) {
    std::string line = "|";
    for (std::int32_t c = 0; c < board.width; ++c) {
        std::size_t i = c + static_cast<std::size_t>(r) * board.width;
        char diagonal = diagonalSymbol(board.walls[i]);
        char kind = kindSymbol(board, c, r, board.kinds[i]);
        char side = diagonal == ' ' && kind == '#' ? '#' : diagonal;
        line += side;
        line += kind;
        line += side;
        bool walled = c == board.width - 1 || (board.walls[i] & WALL_NEXT_COLUMN);
        line += walled ? '|' : ' ';
    }
    return line;
}

} // namespace

int runShowCommand(const Arguments& args) {
    if (wantsHelp(args)) {
        std::fputs(HELP, stdout);
        return 0;
    }
    if (args.size() != 1)
        return reportUsageError("show", "expected exactly one BOARD file");
    Board board;
    loadBoardArgument(board, args[0]);
    if (!board.hasGrids())
        return 1;
    std::printf("%d x %d cells (columns x rows), ", board.width, board.height);
    if (board.timeLimit >= 0)
        std::printf("time limit %.02f s", board.timeLimit / 1000.0);
    else
        std::printf("no time limit");
    std::printf("%s\n", board.noTopView ? ", follow view only" : "");
    std::printf("%s\n", drawRowBorder(board, -1).c_str());
    for (std::int32_t r = 0; r < board.height; ++r) {
        std::printf("%s\n", drawRowCells(board, r).c_str());
        std::printf("%s\n", drawRowBorder(board, r).c_str());
    }
    return 0;
}

#include "game/BoardCheck.h"

#include "base/Numbers.h"
#include "game/Board.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

namespace {

enum Quarter { NORTH = 0, EAST = 1, SOUTH = 2, WEST = 3 };

std::string describeCell(std::size_t cell, std::int32_t width) {
    return "(" + std::to_string(cell % static_cast<std::size_t>(width)) + ", " +
           std::to_string(cell / static_cast<std::size_t>(width)) + ")";
}

std::string describeKind(std::int32_t kind) {
    std::int32_t code = kind + '0';
    if (code > ' ' && code < 0x7f)
        return std::string("'") + static_cast<char>(code) + "'";
    return "byte " + std::to_string(code);
}

// A run of non-blank text and the file line it stands on.
struct Word {
    std::string_view text;
    int line;
};

std::vector<Word> splitWords(const BoardTail& tail) {
    std::vector<Word> words;
    std::string_view text = tail.text;
    int line = tail.firstLine;
    for (std::size_t i = 0; i < text.size();) {
        if (isSpace(text[i])) {
            line += text[i++] == '\n';
            continue;
        }
        std::size_t start = i;
        while (i < text.size() && !isSpace(text[i]))
            ++i;
        words.push_back({text.substr(start, i - start), line});
    }
    return words;
}

// The line of the tail that holds offset, without its line end.
std::string_view findLineText(std::string_view text, std::size_t offset) {
    std::size_t start = text.rfind('\n', offset);
    start = start == std::string_view::npos ? 0 : start + 1;
    std::size_t end = std::min(text.find('\n', offset), text.size());
    return text.substr(start, end - start);
}

std::string describeLimit(const Board& board) {
    std::string limit = board.timeLimit < 0
                            ? std::string("no limit")
                            : "a limit of " + std::to_string(board.timeLimit) + " ms";
    return board.noTopView ? limit + " and follow view only" : limit;
}

// A diagonal wall runs through its cell's centre, where a hole is cut and the ball starts:
// the ball rests against the wall on the rim and never drops in, or starts inside the wall.
void findCentresOnDiagonals(const Board& board, std::vector<std::string>& problems) {
    struct Finding {
        std::int32_t kind;
        const char* one;
        const char* many;
        const char* effect;
        std::size_t count = 0;
        std::size_t first = 0;
    };
    const char* stops = "the ball stops against the wall and cannot drop in";
    Finding findings[] = {
        {KIND_GOAL, "the goal hole", "goal holes", stops},
        {KIND_TRAP, "the trap hole", "trap holes", stops},
    };
    std::size_t cells = static_cast<std::size_t>(board.width) * board.height;
    for (std::size_t cell = 0; cell < cells; ++cell) {
        if (!(board.walls[cell] & (WALL_DIAGONAL_DOWN | WALL_DIAGONAL_UP)))
            continue;
        for (Finding& finding : findings)
            if (board.kinds[cell] == finding.kind && finding.count++ == 0)
                finding.first = cell;
    }
    std::size_t start = static_cast<std::size_t>(board.startX) +
                        static_cast<std::size_t>(board.startY) * board.width;
    if (board.walls[start] & (WALL_DIAGONAL_DOWN | WALL_DIAGONAL_UP))
        problems.push_back("the start at " + describeRowAndColumn(start, board.width) +
                           " is on a cell with a diagonal wall: the ball starts inside the wall " +
                           "and is pushed out to one side of it");
    for (const Finding& finding : findings) {
        if (finding.count == 1)
            problems.push_back(std::string(finding.one) + " at " +
                               describeRowAndColumn(finding.first, board.width) +
                               " is on a cell with a diagonal wall: " + finding.effect);
        else if (finding.count > 1)
            problems.push_back(std::to_string(finding.count) + " " + finding.many +
                               " are on cells with a diagonal wall, the first at " +
                               describeRowAndColumn(finding.first, board.width) + ": " +
                               finding.effect);
    }
}

// Visits every quarter joined to the ones already marked, depth first.
class QuarterWalk {
public:
    explicit QuarterWalk(const Board& board)
        : board(board), visited(static_cast<std::size_t>(board.width) * board.height * 4, 0) {}

    bool hasVisited(std::size_t cell) const {
        for (int q = 0; q < 4; ++q)
            if (visited[cell * 4 + q])
                return true;
        return false;
    }

    void walkFrom(std::size_t cell) {
        for (int q = 0; q < 4; ++q)
            mark(cell, q);
        while (!pending.empty()) {
            std::size_t quarter = pending.back();
            pending.pop_back();
            spreadFrom(quarter / QUARTERS_PER_CELL, static_cast<int>(quarter % QUARTERS_PER_CELL));
        }
    }

private:
    void mark(std::size_t cell, int quarter) {
        std::size_t index = cell * 4 + quarter;
        if (visited[index] || !isPassable(board, cell))
            return;
        visited[index] = 1;
        pending.push_back(index);
    }

    void spreadFrom(std::size_t cell, int quarter) {
        std::size_t joined[MAX_JOINED_QUARTERS];
        int count = findJoinedQuarters(board, cell * QUARTERS_PER_CELL + quarter, joined);
        for (int i = 0; i < count; ++i)
            mark(joined[i] / QUARTERS_PER_CELL, static_cast<int>(joined[i] % QUARTERS_PER_CELL));
    }

    const Board& board;
    std::vector<std::uint8_t> visited;
    std::vector<std::size_t> pending;
};

} // namespace

std::string describeRowAndColumn(std::size_t cell, std::int32_t width) {
    return "row " + std::to_string(cell / static_cast<std::size_t>(width) + 1) + ", column " +
           std::to_string(cell % static_cast<std::size_t>(width) + 1);
}

bool isPassable(const Board& board, std::size_t cell) {
    return board.kinds[cell] != KIND_TRAP && board.kinds[cell] != KIND_GAP;
}

int findJoinedQuarters(const Board& board, std::size_t quarter,
                       std::size_t joined[MAX_JOINED_QUARTERS]) {
    std::size_t cell = quarter / QUARTERS_PER_CELL;
    int side = static_cast<int>(quarter % QUARTERS_PER_CELL);
    std::uint8_t walls = board.walls[cell];
    std::size_t width = static_cast<std::size_t>(board.width);
    std::size_t c = cell % width;
    std::size_t r = cell / width;
    int count = 0;
    auto join = [&](std::size_t otherCell, int otherSide) {
        joined[count++] = otherCell * QUARTERS_PER_CELL + otherSide;
    };
    // The up diagonal runs between north and east and between south and west; the down
    // diagonal between north and west and between south and east.
    bool upOpen = (walls & WALL_DIAGONAL_UP) == 0;
    bool downOpen = (walls & WALL_DIAGONAL_DOWN) == 0;
    if (side == NORTH || side == SOUTH) {
        if (upOpen)
            join(cell, side == NORTH ? EAST : WEST);
        if (downOpen)
            join(cell, side == NORTH ? WEST : EAST);
    } else {
        if (upOpen)
            join(cell, side == EAST ? NORTH : SOUTH);
        if (downOpen)
            join(cell, side == EAST ? SOUTH : NORTH);
    }
    // A straight wall between two cells belongs to the one above or to the left.
    if (side == EAST && c + 1 < width && !(walls & WALL_NEXT_COLUMN))
        join(cell + 1, WEST);
    if (side == WEST && c > 0 && !(board.walls[cell - 1] & WALL_NEXT_COLUMN))
        join(cell - 1, EAST);
    if (side == SOUTH && r + 1 < static_cast<std::size_t>(board.height) && !(walls & WALL_NEXT_ROW))
        join(cell + width, NORTH);
    if (side == NORTH && r > 0 && !(board.walls[cell - width] & WALL_NEXT_ROW))
        join(cell - width, SOUTH);
    return count;
}

bool isGoalReachable(const Board& board) {
    if (!board.hasGrids())
        return false;
    std::size_t width = static_cast<std::size_t>(board.width);
    std::size_t start =
        static_cast<std::size_t>(board.startX) + static_cast<std::size_t>(board.startY) * width;
    QuarterWalk walk(board);
    walk.walkFrom(start);
    std::size_t cells = width * static_cast<std::size_t>(board.height);
    for (std::size_t cell = 0; cell < cells; ++cell)
        if (board.kinds[cell] == KIND_GOAL && walk.hasVisited(cell))
            return true;
    return false;
}

std::vector<std::string> checkBoard(const Board& board) {
    std::vector<std::string> problems;
    if (!board.hasGrids())
        return {"the board has no cells"};
    std::size_t cells = static_cast<std::size_t>(board.width) * board.height;
    std::size_t goals = 0;
    std::size_t starts = 0;
    std::size_t unknown = 0;
    std::size_t firstUnknown = 0;
    for (std::size_t cell = 0; cell < cells; ++cell) {
        std::int32_t kind = board.kinds[cell];
        goals += kind == KIND_GOAL;
        starts += kind == KIND_START;
        if ((kind < KIND_FLOOR || kind > KIND_GAP) && unknown++ == 0)
            firstUnknown = cell;
    }
    if (goals == 0)
        problems.push_back("no goal hole (kind 2)");
    if (starts > 1)
        problems.push_back(std::to_string(starts) + " start cells (kind 1); the ball starts at " +
                           "the last one, (" + std::to_string(static_cast<int>(board.startX)) +
                           ", " + std::to_string(static_cast<int>(board.startY)) + ")");
    if (unknown > 0)
        problems.push_back(std::to_string(unknown) + " cell(s) of a kind other than 0 to 4, " +
                           "played as plain floor; the first is " +
                           describeKind(board.kinds[firstUnknown]) + " at " +
                           describeCell(firstUnknown, board.width));
    if (goals > 0 && !isGoalReachable(board))
        problems.push_back("the goal cannot be reached from the start " +
                           describeCell(static_cast<std::size_t>(board.startX) +
                                            static_cast<std::size_t>(board.startY) * board.width,
                                        board.width));
    findCentresOnDiagonals(board, problems);
    return problems;
}

std::vector<std::string> checkTimeLimit(const Board& board, const BoardTail& tail) {
    std::vector<std::string> problems;
    std::vector<Word> words = splitWords(tail);
    // Text that does not start with a number is no time limit, and the loader ignores it.
    if (words.empty() || scanIntegerPrefix(words[0].text).digitCount == 0)
        return problems;
    const Word& limit = words[0];
    std::string prefix = "line " + std::to_string(limit.line) + ": ";
    IntegerPrefix number = scanIntegerPrefix(limit.text);
    bool isWholeNumber = number.signLength + number.digitCount == limit.text.size();
    std::size_t onLine = 1;
    while (onLine < words.size() && words[onLine].line == limit.line)
        ++onLine;
    bool isPlainFlag =
        onLine == 1 || (onLine == 2 && (words[1].text == "0" || words[1].text == "1"));
    bool fits = number.value >= std::numeric_limits<std::int32_t>::min() &&
                number.value <= std::numeric_limits<std::int32_t>::max();
    if (isWholeNumber && !fits) {
        problems.push_back(prefix + "the time limit " + std::string(limit.text) +
                           " is too large a number; the game reads no limit");
    } else if (!isWholeNumber || !isPlainFlag) {
        std::size_t offset = static_cast<std::size_t>(limit.text.data() - tail.text.data());
        problems.push_back(prefix + "\"" + std::string(findLineText(tail.text, offset)) +
                           "\" holds more than the time limit in ms and the follow flag; the " +
                           "game reads " + describeLimit(board));
    }
    if (board.timeLimit >= 0 && board.timeLimit < SHORTEST_SENSIBLE_LIMIT_MS)
        problems.push_back(prefix + "a time limit of " + std::to_string(board.timeLimit) +
                           " ms is under one second");
    return problems;
}

#include "game/BoardDrawing.h"

#include "base/Numbers.h"
#include "game/Board.h"
#include "game/BoardReader.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string_view>
#include <vector>

namespace {

constexpr std::uint64_t MEBIBYTE = 1024 * 1024;
// A tall board draws the most text: per row a cell line and a border line of five
// characters, each after a row number of seven digits and a blank, each ended by CR LF.
constexpr std::uint64_t LARGEST_DRAWING = 2 * BOARD_MAX_CELLS * (5 + 8 + 2) + 4096;

// The characters of a cell between its walls.
constexpr std::size_t CELL_CHARACTERS = 3;
constexpr std::size_t COMPACT_CELL_CHARACTERS = 1;

char diagonalSymbol(std::uint8_t walls) {
    bool down = walls & WALL_DIAGONAL_DOWN;
    bool up = walls & WALL_DIAGONAL_UP;
    return down && up ? 'X' : down ? '\\' : up ? '/' : ' ';
}

char kindSymbol(const Board& board, std::size_t cell, std::int32_t kind) {
    switch (kind) {
    case KIND_FLOOR:
        return ' ';
    case KIND_START:
        return cell == static_cast<std::size_t>(board.startX) +
                           static_cast<std::size_t>(board.startY) * board.width
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

std::size_t countDigits(std::size_t number) {
    std::size_t digits = 1;
    while (number >= 10) {
        number /= 10;
        ++digits;
    }
    return digits;
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
        char kind = kindSymbol(board, i, board.kinds[i]);
        char side = diagonal == ' ' && kind == '#' ? '#' : diagonal;
        line += side;
        line += kind;
        line += side;
        bool walled = c == board.width - 1 || (board.walls[i] & WALL_NEXT_COLUMN);
        line += walled ? '|' : ' ';
    }
    return line;
}

// Column numbers whose last digit stands over the middle of their cell; where numbers of
// four digits or more would run together, every other column is numbered.
std::string drawColumnRuler(std::int32_t width, std::size_t margin) {
    std::size_t stride = countDigits(static_cast<std::size_t>(width)) + 1 > 4 ? 2 : 1;
    std::string line(margin + 4 * static_cast<std::size_t>(width), ' ');
    for (std::size_t column = stride; column <= static_cast<std::size_t>(width); column += stride) {
        std::string number = std::to_string(column);
        std::size_t end = margin + 4 * (column - 1) + 3;
        line.replace(end - number.size(), number.size(), number);
    }
    if (stride == 2)
        line[margin + 2] = '1';
    return line.substr(0, line.find_last_not_of(' ') + 1);
}

std::string drawHeader(const Board& board) {
    char text[160];
    std::snprintf(text, sizeof text, "%d x %d cells (columns x rows), ", board.width, board.height);
    std::string header = text;
    if (board.timeLimit >= 0) {
        std::snprintf(text, sizeof text, "time limit %.02f s", board.timeLimit / 1000.0);
        header += text;
    } else {
        header += "no time limit";
    }
    return header + (board.noTopView ? ", follow view only" : "");
}

} // namespace

const std::uint64_t MAX_DRAWING_BYTES = (LARGEST_DRAWING + MEBIBYTE - 1) / MEBIBYTE * MEBIBYTE;

std::string drawBoard(const Board& board, bool withRulers) {
    std::size_t digits = countDigits(static_cast<std::size_t>(board.height));
    std::size_t margin = withRulers ? digits + 1 : 0;
    std::string blanks(margin, ' ');
    std::string text = drawHeader(board) + "\n";
    if (withRulers)
        text += drawColumnRuler(board.width, margin) + "\n";
    text += blanks + drawRowBorder(board, -1) + "\n";
    for (std::int32_t r = 0; r < board.height; ++r) {
        if (withRulers) {
            std::string number = std::to_string(r + 1);
            text += std::string(digits - number.size(), ' ') + number + ' ';
        }
        text += drawRowCells(board, r) + "\n";
        text += blanks + drawRowBorder(board, r) + "\n";
    }
    return text;
}

namespace {

// A line of the picture: its number in the text and its characters, blanks at the end
// dropped (an editor may add or strip them).
struct DrawingLine {
    int number;
    std::string_view text;
};

bool isRulerLine(std::string_view text) {
    for (char c : text)
        if (!isDigit(c) && c != ' ' && c != '\t')
            return false;
    return true;
}

std::vector<DrawingLine> splitLines(const std::string& text) {
    std::vector<DrawingLine> lines;
    std::string_view rest = text;
    for (int number = 1; !rest.empty(); ++number) {
        std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        while (!line.empty() && isSpace(line.back()))
            line.remove_suffix(1);
        if (!line.empty())
            lines.push_back({number, line});
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return lines;
}

// "time limit 20.00 s" or "time limit 20000 ms" in show's header, in whole ms; -1 when the
// header names none. Nothing when it names one that cannot be read.
std::optional<std::int32_t> readHeaderLimit(std::string_view header) {
    constexpr std::string_view KEY = "time limit ";
    std::size_t at = header.find(KEY);
    if (at == std::string_view::npos || (at >= 3 && header.substr(at - 3, 3) == "no "))
        return -1;
    std::string_view number = header.substr(at + KEY.size());
    std::int64_t whole = 0;
    std::size_t i = 0;
    for (; i < number.size() && isDigit(number[i]); ++i)
        whole = std::min(whole * 10 + (number[i] - '0'), SATURATED_MAGNITUDE);
    std::size_t wholeDigits = i;
    // Seconds are read to a tenth of a ms and rounded.
    std::int64_t tenthsOfMs = 0;
    std::size_t fractionDigits = 0;
    if (i < number.size() && number[i] == '.')
        for (++i; i < number.size() && isDigit(number[i]); ++i, ++fractionDigits)
            if (fractionDigits < 4)
                tenthsOfMs += (number[i] - '0') * (fractionDigits == 0   ? 1000
                                                   : fractionDigits == 1 ? 100
                                                   : fractionDigits == 2 ? 10
                                                                         : 1);
    std::string_view unit = number.substr(i);
    std::int64_t ms = -1;
    if (wholeDigits > 0 && fractionDigits == 0 && unit.substr(0, 3) == " ms")
        ms = whole;
    else if (wholeDigits > 0 && unit.substr(0, 2) == " s" && (unit.size() == 2 || unit[2] == ','))
        ms = (whole * 10000 + tenthsOfMs + 5) / 10;
    if (ms < 0 || ms > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(ms);
}

} // namespace

namespace {

const char* const KIND_NAMES = "a blank or . for floor, S start, G goal hole, T trap hole, # gap";

std::optional<std::int32_t> kindOf(char symbol) {
    switch (symbol) {
    case ' ':
    case '.':
        return KIND_FLOOR;
    case 'S':
    case 's':
        return KIND_START;
    case 'G':
        return KIND_GOAL;
    case 'T':
        return KIND_TRAP;
    case '#':
        return KIND_GAP;
    default:
        return std::nullopt;
    }
}

std::optional<std::uint8_t> diagonalOf(char symbol) {
    switch (symbol) {
    case ' ':
        return 0;
    case '\\':
        return WALL_DIAGONAL_DOWN;
    case '/':
        return WALL_DIAGONAL_UP;
    case 'X':
        return WALL_DIAGONAL_DOWN | WALL_DIAGONAL_UP;
    default:
        return std::nullopt;
    }
}

// Reads a picture's lines into grids; the first problem ends the reading.
class DrawingReader {
public:
    explicit DrawingReader(const std::string& text) : lines(splitLines(text)) {}

    std::optional<std::string> read(Board& board);

private:
    std::optional<std::string> readTop(std::size_t& top, Board& board);
    std::optional<std::string> readTopBorder(const DrawingLine& line);
    std::optional<std::string> checkLine(const DrawingLine& line, std::int32_t row) const;
    std::optional<std::string> readCells(const DrawingLine& line, std::int32_t row, Board& board);
    std::optional<std::string> readCell(const DrawingLine& line, std::size_t at, std::int32_t row,
                                        std::int32_t column, Board& board);
    std::optional<std::string> readBorder(const DrawingLine& line, std::int32_t row, Board& board);

    // "line 5, character 9", and "(row 2, column 3)" for a cell, all counting from 1.
    static std::string place(const DrawingLine& line, std::size_t index);
    static std::string place(const DrawingLine& line, std::size_t index, std::int32_t row,
                             std::int32_t column);

    std::vector<DrawingLine> lines;
    std::size_t margin = 0; // ruler columns left of the outline
    std::size_t cellSize = CELL_CHARACTERS;
    std::int32_t width = 0;
};

std::string DrawingReader::place(const DrawingLine& line, std::size_t index) {
    return "line " + std::to_string(line.number) + ", character " + std::to_string(index + 1);
}

std::string DrawingReader::place(const DrawingLine& line, std::size_t index, std::int32_t row,
                                 std::int32_t column) {
    return place(line, index) + " (row " + std::to_string(row + 1) +
           (column < 0 ? "" : ", column " + std::to_string(column + 1)) + ")";
}

// The header and rulers above the picture, then its top border.
std::optional<std::string> DrawingReader::readTop(std::size_t& top, Board& board) {
    const DrawingLine* header = nullptr;
    for (top = 0; top < lines.size() && lines[top].text.find('+') == std::string_view::npos;
         ++top) {
        if (isRulerLine(lines[top].text))
            continue;
        if (header != nullptr)
            return place(lines[top], 0) +
                   ": expected the picture's top border, '+---+' for each column";
        header = &lines[top];
    }
    if (top == lines.size())
        return std::string("no picture: a board is drawn as a top border, '+---+' for each "
                           "column, then for each row a line of cells and a border line");
    if (header != nullptr) {
        std::optional<std::int32_t> limit = readHeaderLimit(header->text);
        if (!limit)
            return "line " + std::to_string(header->number) +
                   ": the time limit is written as show writes it, \"time limit 20.00 s\", or "
                   "in ms, \"time limit 20000 ms\"";
        board.timeLimit = *limit;
        board.noTopView = header->text.find("follow view only") != std::string_view::npos;
    }
    return readTopBorder(lines[top]);
}

std::optional<std::string> DrawingReader::readTopBorder(const DrawingLine& line) {
    std::string_view text = line.text;
    margin = text.find('+');
    if (std::optional<std::string> problem = checkLine(line, -1))
        return problem;
    std::size_t next = text.find('+', margin + 1);
    if (next == margin + 1 + COMPACT_CELL_CHARACTERS)
        cellSize = COMPACT_CELL_CHARACTERS;
    else if (next != margin + 1 + CELL_CHARACTERS)
        return place(line, margin) + ": the top border is '+---+' for each column (or '+-+')";
    std::size_t step = cellSize + 1;
    for (std::size_t i = margin; i < text.size(); ++i) {
        char expected = (i - margin) % step == 0 ? '+' : '-';
        if (text[i] != expected)
            return place(line, i) + ": expected '" + expected + "' in the top border, found " +
                   describeCharacter(text[i]);
    }
    if ((text.size() - margin - 1) % step != 0)
        return place(line, text.size() - 1) + ": the top border ends inside a column";
    width = static_cast<std::int32_t>((text.size() - margin - 1) / step);
    return std::nullopt;
}

// Only row numbers and blanks may stand left of the outline, and every line of the picture
// is as long as its top border.
std::optional<std::string> DrawingReader::checkLine(const DrawingLine& line,
                                                    std::int32_t row) const {
    for (std::size_t i = 0; i < margin; ++i)
        if (!isDigit(line.text[i]) && line.text[i] != ' ' && line.text[i] != '\t')
            return place(line, i) + ": " + describeCharacter(line.text[i]) +
                   " stands left of the picture, where only row numbers go";
    std::size_t length = margin + 1 + (cellSize + 1) * static_cast<std::size_t>(width);
    // An editor that turns blanks into tabs shifts every wall after them.
    if (row >= 0 && line.text.size() != length)
        return "line " + std::to_string(line.number) + " (row " + std::to_string(row + 1) +
               ") is " + std::to_string(line.text.size()) + " characters long, expected " +
               std::to_string(length) + " as the top border" +
               (line.text.find('\t') != std::string_view::npos
                    ? "; it holds a tab, and a picture lines up with blanks only"
                    : "");
    return std::nullopt;
}

std::optional<std::string> DrawingReader::readCells(const DrawingLine& line, std::int32_t row,
                                                    Board& board) {
    if (line.text[margin] != '|')
        return place(line, margin, row, -1) + ": expected '|', the board's left edge, found " +
               describeCharacter(line.text[margin]);
    for (std::int32_t column = 0; column < width; ++column) {
        std::size_t at = margin + 1 + (cellSize + 1) * static_cast<std::size_t>(column);
        if (std::optional<std::string> problem = readCell(line, at, row, column, board))
            return problem;
        char wall = line.text[at + cellSize];
        if (wall != '|' && wall != ' ')
            return place(line, at + cellSize, row, column) +
                   ": the wall right of a cell is '|' or a blank, found " + describeCharacter(wall);
        if (wall == '|')
            board.walls[column + static_cast<std::size_t>(row) * width] |= WALL_NEXT_COLUMN;
    }
    return std::nullopt;
}

std::optional<std::string> DrawingReader::readCell(const DrawingLine& line, std::size_t at,
                                                   std::int32_t row, std::int32_t column,
                                                   Board& board) {
    std::size_t cell = column + static_cast<std::size_t>(row) * width;
    std::string_view symbols = line.text.substr(at, cellSize);
    char left = symbols[0];
    char kind = symbols[0];
    char right = symbols[0];
    // One character a cell stands for a floor cell's diagonal or for a kind.
    if (cellSize == COMPACT_CELL_CHARACTERS)
        left = right = diagonalOf(kind) ? kind : ' ';
    else {
        kind = symbols[1];
        right = symbols[2];
    }
    if (kind == '#') {
        left = left == '#' ? ' ' : left;
        right = right == '#' ? ' ' : right;
    }
    if (left != right)
        return place(line, at + 2, row, column) + ": the cell's sides differ, " +
               describeCharacter(left) + " and " + describeCharacter(right) +
               ": a diagonal wall is drawn on both sides of the cell's kind";
    std::optional<std::uint8_t> diagonal = diagonalOf(left);
    if (!diagonal)
        return place(line, at, row, column) + ": " + describeCharacter(left) +
               " is not a diagonal wall (\\, / or X)";
    std::optional<std::int32_t> value =
        cellSize == COMPACT_CELL_CHARACTERS && diagonalOf(kind) ? KIND_FLOOR : kindOf(kind);
    if (!value)
        return place(line, at + cellSize / 2, row, column) + ": " + describeCharacter(kind) +
               " is not a cell kind (" + KIND_NAMES + ")";
    board.walls[cell] = *diagonal;
    board.kinds[cell] = *value;
    return std::nullopt;
}

std::optional<std::string> DrawingReader::readBorder(const DrawingLine& line, std::int32_t row,
                                                     Board& board) {
    // Corners carry no wall; a wall under two cells may be drawn through the corner between.
    for (std::int32_t column = 0; column < width; ++column) {
        std::size_t at = margin + 1 + (cellSize + 1) * static_cast<std::size_t>(column);
        std::string_view under = line.text.substr(at, cellSize);
        bool walled = under.find_first_not_of('-') == std::string_view::npos;
        bool open = under.find_first_not_of(' ') == std::string_view::npos;
        if (!walled && !open)
            return place(line, at, row, column) +
                   ": the wall under a cell is drawn '---' or left blank, found \"" +
                   std::string(under) + "\"";
        if (walled)
            board.walls[column + static_cast<std::size_t>(row) * width] |= WALL_NEXT_ROW;
    }
    return std::nullopt;
}

std::optional<std::string> DrawingReader::read(Board& board) {
    std::size_t top = 0;
    if (std::optional<std::string> problem = readTop(top, board))
        return problem;
    std::size_t rowLines = lines.size() - top - 1;
    if (rowLines == 0)
        return std::string("the picture has no rows: after the top border come, for each row, "
                           "a line of cells and a border line");
    if (rowLines % 2 != 0)
        return "line " + std::to_string(lines.back().number) +
               ": the picture ends with a line of cells; a border line must follow it";
    std::int64_t height = static_cast<std::int64_t>(rowLines / 2);
    if (height * width > BOARD_MAX_CELLS)
        return std::to_string(width) + " x " + std::to_string(height) + " is " +
               std::to_string(height * width) + " cells, more than the " +
               std::to_string(BOARD_MAX_CELLS) + " a board may have";
    std::int32_t timeLimit = board.timeLimit;
    bool noTopView = board.noTopView;
    board.resize(static_cast<std::int32_t>(height), width);
    board.timeLimit = timeLimit;
    board.noTopView = noTopView;
    for (std::int32_t row = 0; row < board.height; ++row) {
        const DrawingLine& cells = lines[top + 1 + 2 * static_cast<std::size_t>(row)];
        const DrawingLine& border = lines[top + 2 + 2 * static_cast<std::size_t>(row)];
        std::optional<std::string> problem = checkLine(cells, row);
        if (!problem)
            problem = readCells(cells, row, board);
        if (!problem)
            problem = checkLine(border, row);
        if (!problem)
            problem = readBorder(border, row, board);
        if (problem)
            return problem;
    }
    return std::nullopt;
}

// The outline is always walled; its bits would only be noise in the file. The last start
// in row-major order is the one the ball starts on, as the loader reads it.
std::optional<std::string> finishBoard(Board& board) {
    std::size_t width = static_cast<std::size_t>(board.width);
    std::size_t cells = width * static_cast<std::size_t>(board.height);
    for (std::size_t cell = width - 1; cell < cells; cell += width)
        board.walls[cell] &= static_cast<std::uint8_t>(~WALL_NEXT_COLUMN);
    for (std::size_t cell = cells - width; cell < cells; ++cell)
        board.walls[cell] &= static_cast<std::uint8_t>(~WALL_NEXT_ROW);
    std::size_t start = cells;
    for (std::size_t cell = 0; cell < cells; ++cell)
        if (board.kinds[cell] == KIND_START)
            start = cell;
    if (start == cells)
        return std::string("the picture has no start: draw an S in the cell the ball starts on");
    board.startX = static_cast<float>(start % width);
    board.startY = static_cast<float>(start / width);
    return std::nullopt;
}

} // namespace

std::optional<std::string> readBoardDrawing(const std::string& text, Board& board) {
    board = Board();
    std::optional<std::string> problem = DrawingReader(text).read(board);
    if (!problem)
        problem = finishBoard(board);
    if (problem)
        board = Board();
    return problem;
}

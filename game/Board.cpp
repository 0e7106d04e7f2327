#include "game/Board.h"

#include "base/FileIO.h"
#include "game/BoardReader.h"

#include <cstdio>
#include <string_view>

namespace {

constexpr std::uint64_t MEBIBYTE = 1024 * 1024;
// Room for the header, the separator and the time-limit lines around the grids.
constexpr std::uint64_t BOARD_TEXT_SLACK = 4096;
// The widest a loadable board's text gets: both grids at one cell a row, each row ended by a
// carriage return and a line feed.
constexpr std::uint64_t LARGEST_BOARD_TEXT = 2 * 3 * BOARD_MAX_CELLS + BOARD_TEXT_SLACK;

std::string lineProblem(int line, const std::string& what) {
    return "line " + std::to_string(line) + " " + what;
}

// One grid row of exactly width symbols; the problem, if any, names the file line.
std::optional<std::string> readGridRow(BoardReader& reader, std::int32_t width,
                                       const char* gridName, std::string_view& row) {
    if (reader.atEnd())
        return std::string("the file ends before the ") + gridName + " grid is complete";
    int number = reader.line();
    row = reader.readLine();
    if (row.size() != static_cast<std::size_t>(width))
        return lineProblem(number, "has " + std::to_string(row.size()) + " cells, expected " +
                                       std::to_string(width));
    return std::nullopt;
}

// The header: rows and columns, then the line feed that ends the header line.
std::optional<std::string> readHeader(BoardReader& reader, std::int32_t& rows,
                                      std::int32_t& columns) {
    std::optional<std::int32_t> first = reader.readInteger();
    std::optional<std::int32_t> second = reader.readInteger();
    if (!first || !second || *first <= 0 || *second <= 0)
        return std::string("the header is not two positive integers (rows, columns)");
    rows = *first;
    columns = *second;
    std::int64_t cells = std::int64_t{rows} * columns;
    if (cells > BOARD_MAX_CELLS)
        return std::to_string(rows) + " x " + std::to_string(columns) + " is " +
               std::to_string(cells) + " cells, more than " + std::to_string(BOARD_MAX_CELLS);
    reader.skipBlanks();
    if (reader.atEnd())
        return std::string("the file ends after the header");
    if (reader.peek() != '\n')
        return lineProblem(reader.line(), "has more than the two header numbers");
    reader.advance();
    return std::nullopt;
}

std::optional<std::string> readWalls(BoardReader& reader, std::int32_t rows, std::int32_t columns,
                                     std::uint8_t* walls) {
    std::string_view row;
    for (std::int32_t r = 0; r < rows; ++r) {
        int number = reader.line();
        if (std::optional<std::string> problem = readGridRow(reader, columns, "walls", row))
            return problem;
        for (std::int32_t c = 0; c < columns; ++c) {
            int value = readHexDigit(row[c]);
            if (value < 0)
                return lineProblem(number, "column " + std::to_string(c + 1) + ": " +
                                               describeByte(row[c]) + " is not a hex digit");
            walls[c + std::int64_t{r} * columns] = static_cast<std::uint8_t>(value);
        }
    }
    return std::nullopt;
}

// Any byte is a kind (character code minus '0'); unknown kinds play as plain floor.
std::optional<std::string> readKinds(BoardReader& reader, std::int32_t rows, std::int32_t columns,
                                     std::int32_t* kinds) {
    std::string_view row;
    for (std::int32_t r = 0; r < rows; ++r) {
        if (std::optional<std::string> problem = readGridRow(reader, columns, "kinds", row))
            return problem;
        for (std::int32_t c = 0; c < columns; ++c)
            kinds[c + std::int64_t{r} * columns] = static_cast<unsigned char>(row[c]) - '0';
    }
    return std::nullopt;
}

// Several start cells: the last one in row-major order wins. cells when there is none.
std::size_t findLastStart(const std::int32_t* kinds, std::size_t cells) {
    std::size_t start = cells;
    for (std::size_t i = 0; i < cells; ++i)
        if (kinds[i] == KIND_START)
            start = i;
    return start;
}

} // namespace

const std::uint64_t MAX_BOARD_FILE_BYTES =
    (LARGEST_BOARD_TEXT + MEBIBYTE - 1) / MEBIBYTE * MEBIBYTE;

FileRead readBoardFile(const std::string& path) {
    return readFile(path, MAX_BOARD_FILE_BYTES);
}

std::string describeOversizedBoard() {
    return "the file is larger than " + describeByteCount(MAX_BOARD_FILE_BYTES) +
           ", more than the text of the largest board";
}

Board::Board(const std::string& path) {
    load(path);
}

void Board::load(const std::string& path) {
    load(path, readBoardFile(path));
}

void Board::load(const std::string& path, const FileRead& file) {
    if (file.status != ReadStatus::Read) {
        *this = Board();
        if (file.status == ReadStatus::TooBig)
            std::fprintf(stderr, "Warning: board %s: %s\n", path.c_str(),
                         describeOversizedBoard().c_str());
        else
            std::fprintf(stderr, "Couldn't open board file %s\n", path.c_str());
        return;
    }
    if (std::optional<std::string> problem = parse(file.bytes))
        std::fprintf(stderr, "Warning: board %s: %s\n", path.c_str(), problem->c_str());
}

std::optional<std::string> Board::parse(const std::string& bytes, BoardTail* tail) {
    // Nothing of a refused board may survive, so the old contents go first.
    *this = Board();
    BoardReader reader(bytes);
    std::int32_t rows = 0;
    std::int32_t columns = 0;
    if (std::optional<std::string> problem = readHeader(reader, rows, columns))
        return problem;
    std::size_t cells = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
    auto newWalls = std::make_unique<std::uint8_t[]>(cells);
    if (std::optional<std::string> problem = readWalls(reader, rows, columns, newWalls.get()))
        return problem;
    // Whatever stands between the grids is skipped: the kinds grid starts at the next digit.
    reader.skipToDigit();
    if (reader.atEnd())
        return std::string("the file ends before the kinds grid");
    auto newKinds = std::make_unique<std::int32_t[]>(cells);
    if (std::optional<std::string> problem = readKinds(reader, rows, columns, newKinds.get()))
        return problem;

    std::size_t start = findLastStart(newKinds.get(), cells);
    if (start == cells)
        return std::string("no start cell (kind 1)");

    if (tail != nullptr)
        *tail = BoardTail{std::string(reader.rest()), reader.line()};
    // The flag can only follow a time limit; a missing or unreadable number is no error.
    if (std::optional<std::int32_t> limit = reader.readInteger()) {
        timeLimit = *limit < 0 ? -1 : *limit;
        std::optional<std::int32_t> flag = reader.readInteger();
        noTopView = flag && *flag == 1;
    }
    walls = std::move(newWalls);
    kinds = std::move(newKinds);
    height = rows;
    width = columns;
    startX = static_cast<float>(start % static_cast<std::size_t>(columns));
    startY = static_cast<float>(start / static_cast<std::size_t>(columns));
    return std::nullopt;
}

void Board::resize(std::int32_t newHeight, std::int32_t newWidth) {
    height = newHeight > 0 ? newHeight : 0;
    width = newWidth > 0 ? newWidth : 0;
    std::size_t cells = static_cast<std::size_t>(height) * static_cast<std::size_t>(width);
    // make_unique value-initialises: every wall mask and kind starts at 0.
    walls = std::make_unique<std::uint8_t[]>(cells);
    kinds = std::make_unique<std::int32_t[]>(cells);
    timeLimit = -1;
    noTopView = false;
}

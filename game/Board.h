#pragma once
// One playing field: a grid of cells, each with its walls and its kind, plus an optional
// time limit and a flag that forbids the whole-board view. Loaded from a board file or
// built by the maze generator; read (never changed) by the physics, play loop and renderer.

#include "base/FileIO.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// Wall-mask bits of a cell (c, r). A wall towards the previous row or column belongs to
// that previous cell; the outline of the board is always walled and needs no bits.
constexpr std::uint8_t WALL_NEXT_ROW = 1;      // along y = r + 1, from x = c to c + 1
constexpr std::uint8_t WALL_NEXT_COLUMN = 2;   // along x = c + 1, from y = r to r + 1
constexpr std::uint8_t WALL_DIAGONAL_DOWN = 4; // corner (c, r) to corner (c + 1, r + 1)
constexpr std::uint8_t WALL_DIAGONAL_UP = 8;   // corner (c + 1, r) to corner (c, r + 1)

// Most cells (width x height) a board may have: a board file's kinds lines once passed
// through a scratch buffer of 1 MiB, terminator included. The loader, the maze generator, the
// random maze menu and tirva-tool maze all keep to it.
constexpr std::int64_t BOARD_MAX_CELLS = 1048575;

// Cell kinds; any other value is plain floor.
constexpr std::int32_t KIND_FLOOR = 0;
constexpr std::int32_t KIND_START = 1;
constexpr std::int32_t KIND_GOAL = 2; // hole of HOLE_RADIUS that completes the board
constexpr std::int32_t KIND_TRAP = 3; // hole of HOLE_RADIUS that loses the ball
constexpr std::int32_t KIND_GAP = 4;  // the whole cell has no floor

// The board's solid parts in board units, one unit per cell; the physics and the drawing
// must agree on them to the bit.
constexpr float WALL_HALF_THICKNESS = 0.1f; // each wall is centred on its cell edge
constexpr float WALL_HEIGHT = 0.5f;
constexpr float HOLE_RADIUS = 0.35f; // centred in its cell
// A diagonal wall's four corners lie this far off its end points along each axis: half its
// thickness over the root of two, so its ends stop square at the cell corners.
constexpr float DIAGONAL_END_OFFSET = 0.07071068f;

// The largest board file the loader reads: the text of the largest board it accepts, rounded
// up to whole MiB. A larger file is refused unread, so no file can make a load slow or large.
extern const std::uint64_t MAX_BOARD_FILE_BYTES;

// A board file's bytes, refusing anything but a regular file of at most MAX_BOARD_FILE_BYTES.
FileRead readBoardFile(const std::string& path);
// Why a file over that limit is refused, worded to follow "board <path>: ".
std::string describeOversizedBoard();

// The text after a board's kinds grid, where its time limit and follow flag stand (carriage
// returns before line feeds removed), and the file line it starts on.
struct BoardTail {
    std::string text;
    int firstLine = 0;
};

class Board {
public:
    Board() = default;
    // Loads path as load() does.
    explicit Board(const std::string& path);

    // True when the board has grids: a board that could not be loaded has none and is
    // never played.
    bool hasGrids() const { return walls != nullptr && kinds != nullptr; }

    // Reads a board file, replacing any previous contents. A file that cannot be opened or
    // is malformed leaves the board without grids and prints one line on standard error.
    void load(const std::string& path);
    // load for bytes already read from path (or the reason they could not be).
    void load(const std::string& path, const FileRead& file);
    // Parses the bytes of a board file, replacing any previous contents. A malformed board
    // is refused: it is left without grids and the problem is returned, worded to follow
    // "board <path>: ", for example "line 4 has 7 cells, expected 8". A byte-order mark at
    // the start is skipped. For an accepted board, tail (if given) gets the text after the
    // kinds grid.
    std::optional<std::string> parse(const std::string& bytes, BoardTail* tail = nullptr);
    // Fresh grids of width x height plain-floor cells without walls, no time limit,
    // whole-board view allowed; the start position is left as it was.
    void resize(std::int32_t newHeight, std::int32_t newWidth);

    // Row-major grids: cell (c, r) is at index c + r * width.
    std::unique_ptr<std::uint8_t[]> walls;
    std::unique_ptr<std::int32_t[]> kinds;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t timeLimit = -1; // milliseconds; -1: no limit
    float startX = 0.0f;         // column of the start cell
    float startY = 0.0f;         // row of the start cell
    bool noTopView = false;      // always shown in the follow view
};

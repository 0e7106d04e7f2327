#include "game/MazeGeneration.h"

#include "game/Board.h"
#include "tests/unit/base/SeededRandom.h"
#include "tests/unit/game/PlainMazes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int ALGORITHMS[] = {0, 1, 2, 3};
constexpr int CHAMBERS = 3;

struct Size {
    std::int32_t width;
    std::int32_t height;
};

const Size SIZES[] = {{1, 1}, {1, 7}, {7, 1}, {2, 2}, {3, 5}, {5, 3}, {10, 10}, {37, 23}};

std::string describe(int algorithm, Size size) {
    return std::string(listMazeAlgorithms()[algorithm].name) + " " + std::to_string(size.width) +
           "x" + std::to_string(size.height);
}

Board generated(int algorithm, Size size, unsigned seed) {
    SeededRandom random(seed);
    Board board;
    generateMaze(board, size.width, size.height, algorithm, random.source());
    return board;
}

std::vector<std::uint8_t> wallsOf(const Board& board) {
    return {board.walls.get(), board.walls.get() + board.width * board.height};
}

bool isOpenRight(const Board& board, int cell) {
    return !(board.walls[cell] & WALL_NEXT_COLUMN);
}
bool isOpenBelow(const Board& board, int cell) {
    return !(board.walls[cell] & WALL_NEXT_ROW);
}

int countOpenInnerWalls(const Board& board) {
    int open = 0;
    for (int row = 0; row < board.height; ++row)
        for (int column = 0; column < board.width; ++column) {
            int cell = row * board.width + column;
            open += column + 1 < board.width && isOpenRight(board, cell);
            open += row + 1 < board.height && isOpenBelow(board, cell);
        }
    return open;
}

// Cells reachable from the start through open inner walls.
int countJoinedCells(const Board& board) {
    int width = board.width;
    int cells = width * board.height;
    std::vector<bool> seen(cells, false);
    std::vector<int> pending{0};
    seen[0] = true;
    int joined = 0;
    auto reach = [&](int cell) {
        if (!seen[cell]) {
            seen[cell] = true;
            pending.push_back(cell);
        }
    };
    while (!pending.empty()) {
        int cell = pending.back();
        pending.pop_back();
        ++joined;
        int column = cell % width;
        if (column + 1 < width && isOpenRight(board, cell))
            reach(cell + 1);
        if (column > 0 && isOpenRight(board, cell - 1))
            reach(cell - 1);
        if (cell + width < cells && isOpenBelow(board, cell))
            reach(cell + width);
        if (cell >= width && isOpenBelow(board, cell - width))
            reach(cell - width);
    }
    return joined;
}

// The outline bits: right of the last column, below the last row.
bool hasOutlineBits(const Board& board, bool expected) {
    for (int row = 0; row < board.height; ++row)
        if (!isOpenRight(board, row * board.width + board.width - 1) != expected)
            return false;
    for (int column = 0; column < board.width; ++column)
        if (!isOpenBelow(board, (board.height - 1) * board.width + column) != expected)
            return false;
    return true;
}

long countInnerWalls(Size size) {
    return 2L * size.width * size.height - size.width - size.height;
}

} // namespace

TEST(MazeGeneration, EveryAlgorithmMakesAPerfectMazeAtEverySize) {
    for (int algorithm : ALGORITHMS)
        for (Size size : SIZES)
            for (unsigned seed : {1u, 7u, 12345u}) {
                SCOPED_TRACE(describe(algorithm, size) + " seed " + std::to_string(seed));
                Board board = generated(algorithm, size, seed);
                ASSERT_TRUE(board.hasGrids());
                EXPECT_EQ(board.width, size.width);
                EXPECT_EQ(board.height, size.height);
                EXPECT_EQ(countOpenInnerWalls(board), size.width * size.height - 1);
                EXPECT_EQ(countJoinedCells(board), size.width * size.height);
                for (std::uint8_t mask : wallsOf(board))
                    EXPECT_EQ(mask & ~(WALL_NEXT_ROW | WALL_NEXT_COLUMN), 0);
                EXPECT_TRUE(hasOutlineBits(board, algorithm != CHAMBERS));
            }
}

TEST(MazeGeneration, StartIsTheFirstCellAndGoalTheLast) {
    for (int algorithm : ALGORITHMS) {
        SCOPED_TRACE(listMazeAlgorithms()[algorithm].name);
        Board board;
        board.startX = 4.0f;
        board.startY = 3.0f;
        board.timeLimit = 5000;
        board.noTopView = true;
        SeededRandom random(3);
        generateMaze(board, 6, 4, algorithm, random.source());
        EXPECT_EQ(board.startX, 0.0f);
        EXPECT_EQ(board.startY, 0.0f);
        EXPECT_EQ(board.timeLimit, -1);
        EXPECT_FALSE(board.noTopView);
        std::vector<std::int32_t> kinds(board.kinds.get(), board.kinds.get() + 24);
        std::vector<std::int32_t> expected(24, KIND_FLOOR);
        expected.front() = KIND_START;
        expected.back() = KIND_GOAL;
        EXPECT_EQ(kinds, expected);
    }
}

TEST(MazeGeneration, SingleCellIsTheGoalWithTheBallStartingOnIt) {
    for (int algorithm : ALGORITHMS) {
        Board board = generated(algorithm, {1, 1}, 9);
        EXPECT_EQ(board.kinds[0], KIND_GOAL);
        EXPECT_EQ(board.startX, 0.0f);
        EXPECT_EQ(board.startY, 0.0f);
    }
}

TEST(MazeGeneration, ChambersLeavesASingleLineWithoutAnyWall) {
    for (Size size : {Size{1, 9}, Size{9, 1}}) {
        Board board = generated(CHAMBERS, size, 5);
        EXPECT_EQ(wallsOf(board), std::vector<std::uint8_t>(9, 0));
    }
}

TEST(MazeGeneration, CarvingAlgorithmsOpenASingleLineWithItsOutlineWalled) {
    for (int algorithm : {0, 1, 2}) {
        SCOPED_TRACE(listMazeAlgorithms()[algorithm].name);
        std::vector<std::uint8_t> column(5, WALL_NEXT_COLUMN);
        column.back() |= WALL_NEXT_ROW;
        std::vector<std::uint8_t> row(5, WALL_NEXT_ROW);
        row.back() |= WALL_NEXT_COLUMN;
        EXPECT_EQ(wallsOf(generated(algorithm, {1, 5}, 2)), column);
        EXPECT_EQ(wallsOf(generated(algorithm, {5, 1}, 2)), row);
    }
}

TEST(MazeGeneration, ChambersOnTwoByTwoKeepsTheSegmentOfTheThirdDraw) {
    // Segments at the split point: above, below, left and right of it, as wall bits.
    const std::pair<int, std::uint8_t> segments[] = {
        {0, WALL_NEXT_COLUMN}, {2, WALL_NEXT_COLUMN}, {0, WALL_NEXT_ROW}, {1, WALL_NEXT_ROW}};
    for (unsigned seed = 1; seed <= 40; ++seed) {
        // The split point takes two draws (both % 1); the closed segment is the third.
        SeededRandom draws(seed);
        draws.draw();
        draws.draw();
        int closed = draws.draw() % 4;
        std::vector<std::uint8_t> expected(4, 0);
        expected[segments[closed].first] = segments[closed].second;
        SeededRandom random(seed);
        Board board;
        generateMaze(board, 2, 2, CHAMBERS, random.source());
        EXPECT_EQ(wallsOf(board), expected) << "seed " << seed;
        // Three passage draws follow.
        EXPECT_EQ(random.draws(), 6) << "seed " << seed;
    }
}

TEST(MazeGeneration, DrawsExactlyAsManyRandomNumbersAsItsRuleSays) {
    for (Size size : SIZES) {
        long walls = countInnerWalls(size);
        long cells = long(size.width) * size.height;
        // Prim: the first cell, then every frontier entry; each inner wall enters the frontier
        // once from each side, except the walls that were opened to let a cell in.
        long primDraws = 2 + 2 * walls - (cells - 1);
        long dfsDraws = 2 * walls; // every neighbour list entry is picked once
        long kruskalDraws = walls > 0 ? walls - 1 : 0;
        const std::pair<int, long> expected[] = {{0, primDraws}, {1, dfsDraws}, {2, kruskalDraws}};
        for (auto [algorithm, draws] : expected) {
            SCOPED_TRACE(describe(algorithm, size));
            SeededRandom random(77);
            Board board;
            generateMaze(board, size.width, size.height, algorithm, random.source());
            EXPECT_EQ(random.draws(), draws);
        }
    }
}

TEST(MazeGeneration, EveryAlgorithmDrawsAndCarvesAsItsPlainForm) {
    const Size sizes[] = {{1, 1}, {1, 6}, {6, 1}, {2, 2}, {2, 3}, {4, 4}, {9, 5}, {17, 31}};
    for (int algorithm : ALGORITHMS)
        for (Size size : sizes)
            for (unsigned seed : {1u, 99u, 31337u}) {
                SCOPED_TRACE(describe(algorithm, size) + " seed " + std::to_string(seed));
                SeededRandom plainRandom(seed);
                plainmazes::Grid plain = plainmazes::makePlainMaze(
                    algorithm, size.width, size.height, plainRandom.source());
                SeededRandom random(seed);
                Board board;
                generateMaze(board, size.width, size.height, algorithm, random.source());
                EXPECT_EQ(wallsOf(board), plain.walls);
                // The same sequence, so the same count means the same draws.
                EXPECT_EQ(random.draws(), plainRandom.draws());
            }
}

TEST(MazeGeneration, SameSeedGivesTheSameMazeAndAnotherSeedAnother) {
    for (int algorithm : ALGORITHMS) {
        SCOPED_TRACE(listMazeAlgorithms()[algorithm].name);
        std::vector<std::uint8_t> first = wallsOf(generated(algorithm, {20, 15}, 2024));
        EXPECT_EQ(wallsOf(generated(algorithm, {20, 15}, 2024)), first);
        EXPECT_NE(wallsOf(generated(algorithm, {20, 15}, 2025)), first);
    }
}

TEST(MazeGeneration, ReusedBoardTakesTheNewSize) {
    Board board;
    SeededRandom random(1);
    generateMaze(board, 30, 20, 0, random.source());
    generateMaze(board, 4, 6, 2, random.source());
    EXPECT_EQ(board.width, 4);
    EXPECT_EQ(board.height, 6);
    EXPECT_EQ(countJoinedCells(board), 24);
    EXPECT_EQ(board.kinds[23], KIND_GOAL);
}

TEST(MazeGeneration, UnknownAlgorithmLeavesAnEmptyGridAndTheStartAsItWas) {
    for (int algorithm : {-1, 4, 100}) {
        Board board;
        board.startX = 2.0f;
        SeededRandom random(1);
        generateMaze(board, 3, 2, algorithm, random.source());
        EXPECT_EQ(random.draws(), 0);
        ASSERT_TRUE(board.hasGrids());
        EXPECT_EQ(wallsOf(board), std::vector<std::uint8_t>(6, 0));
        for (int cell = 0; cell < 6; ++cell)
            EXPECT_EQ(board.kinds[cell], KIND_FLOOR);
        EXPECT_EQ(board.startX, 2.0f);
    }
}

TEST(MazeGeneration, SizesOutsideItsCapacityAreRefusedWithoutGrids) {
    const Size refused[] = {{0, 5},       {5, 0},       {-1, 10},      {10, -2147483647 - 1},
                            {1024, 1024}, {4097, 4097}, {65536, 65536}};
    for (Size size : refused) {
        Board board;
        SeededRandom random(1);
        generateMaze(board, 2, 2, 0, random.source());
        long draws = random.draws();
        generateMaze(board, size.width, size.height, 1, random.source());
        EXPECT_EQ(random.draws(), draws);
        EXPECT_FALSE(board.hasGrids()) << size.width << "x" << size.height;
        EXPECT_EQ(board.width, 0);
        EXPECT_EQ(board.height, 0);
    }
}

TEST(MazeGeneration, DfsWalksAMillionCellCorridorWithoutRecursion) {
    Board board = generated(1, {1, 1000000}, 4);
    EXPECT_EQ(countOpenInnerWalls(board), 999999);
    EXPECT_EQ(board.kinds[999999], KIND_GOAL);
}

TEST(MazeGeneration, MenuSizeLimitRefusesEmptyNegativeAndHugeSizes) {
    EXPECT_TRUE(isMazeSizeAllowed(1, 1));
    EXPECT_TRUE(isMazeSizeAllowed(10, 10));
    EXPECT_TRUE(isMazeSizeAllowed(BOARD_MAX_CELLS, 1));
    EXPECT_TRUE(isMazeSizeAllowed(1, BOARD_MAX_CELLS));
    EXPECT_FALSE(isMazeSizeAllowed(BOARD_MAX_CELLS + 1, 1));
    EXPECT_FALSE(isMazeSizeAllowed(BOARD_MAX_CELLS / 2 + 1, 2));
    EXPECT_FALSE(isMazeSizeAllowed(0, 10));
    EXPECT_FALSE(isMazeSizeAllowed(10, 0));
    EXPECT_FALSE(isMazeSizeAllowed(-1, 10));
    // An unsigned menu value whose signed 32-bit reading is negative.
    EXPECT_FALSE(isMazeSizeAllowed(4294967295LL, 10));
    EXPECT_FALSE(isMazeSizeAllowed(2147483648LL, 2147483648LL));
    // Whatever the menu starts, the generator makes.
    EXPECT_TRUE(isMazeSizeAllowed(1025, 1023));
    EXPECT_TRUE(generated(0, {1025, 1023}, 3).hasGrids());
}

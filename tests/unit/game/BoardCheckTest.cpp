#include "game/BoardCheck.h"

#include "game/Board.h"

#include <gtest/gtest.h>

namespace {

Board boardFrom(const std::string& text) {
    Board board;
    std::optional<std::string> problem = board.parse(text);
    EXPECT_FALSE(problem) << problem.value_or("");
    return board;
}

} // namespace

TEST(BoardCheck, CleanBoardHasNoProblems) {
    EXPECT_TRUE(checkBoard(boardFrom("2 3\n010\n000\n\n100\n002\n")).empty());
}

TEST(BoardCheck, LintFindsMissingGoalSeveralStartsAndUnknownKinds) {
    std::vector<std::string> expected = {
        "no goal hole (kind 2)",
        "2 start cells (kind 1); the ball starts at the last one, (1, 1)",
        "2 cell(s) of a kind other than 0 to 4, played as plain floor; the first is '7' at (1, 0)",
    };
    EXPECT_EQ(checkBoard(boardFrom("2 3\n000\n000\n\n17x\n010\n")), expected);
}

TEST(BoardCheck, WallsAndBlockingCellsCutTheWay) {
    // The goal in the corner is closed off by the walls above and left of it.
    EXPECT_FALSE(isGoalReachable(boardFrom("3 3\n000\n011\n020\n\n100\n000\n002\n")));
    // Without the wall above it, the way runs round.
    EXPECT_TRUE(isGoalReachable(boardFrom("3 3\n000\n010\n020\n\n100\n000\n002\n")));
    // A row of trap holes or gaps across the board blocks it like a wall.
    EXPECT_FALSE(isGoalReachable(boardFrom("3 3\n000\n000\n000\n\n100\n333\n002\n")));
    EXPECT_FALSE(isGoalReachable(boardFrom("3 3\n000\n000\n000\n\n100\n434\n002\n")));
    EXPECT_TRUE(isGoalReachable(boardFrom("3 3\n000\n000\n000\n\n100\n430\n002\n")));
    EXPECT_EQ(checkBoard(boardFrom("3 3\n000\n000\n000\n\n100\n333\n002\n")),
              std::vector<std::string>{"the goal cannot be reached from the start (0, 0)"});
}

TEST(BoardCheck, DiagonalWallSplitsItsCellIntoTwoHalves) {
    // The start has a wall below it, so the way leads right into the top right cell from
    // its left, then down. A down diagonal joins the left and bottom edges; an up diagonal
    // joins the left edge only with the top.
    EXPECT_TRUE(isGoalReachable(boardFrom("2 2\n14\n00\n\n10\n02\n")));
    EXPECT_FALSE(isGoalReachable(boardFrom("2 2\n18\n00\n\n10\n02\n")));
    // No single diagonal lets the ball straight through from left to right.
    EXPECT_FALSE(isGoalReachable(boardFrom("1 3\n040\n\n102\n")));
    EXPECT_FALSE(isGoalReachable(boardFrom("1 3\n080\n\n102\n")));
    EXPECT_TRUE(isGoalReachable(boardFrom("2 3\n080\n000\n\n102\n000\n")));
}

TEST(BoardCheck, FixtureBoardWithDiagonalsIsPlayable) {
    Board board(std::string(TIRVA_FIXTURES_DIR) + "/boards/diagonals.txt");
    EXPECT_TRUE(checkBoard(board).empty());
}

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

TEST(BoardCheck, TimeLimitLinesTheLoaderMisreadsAreNamedWithTheirLine) {
    const std::string grids = "2 3\n010\n000\n\n100\n002\n";
    auto problemsOf = [&](const std::string& tailText) {
        Board board;
        BoardTail tail;
        EXPECT_FALSE(board.parse(grids + tailText, &tail));
        return checkTimeLimit(board, tail);
    };
    using Problems = std::vector<std::string>;
    for (const char* clean : {"", "\n", "\n20000\n", "\n20000 1\n", "\n20000\n1\n", "\n-1 1\n",
                              "\n  1000  \n", "\r\n20000\r\n", "\nno limit here\n"})
        EXPECT_EQ(problemsOf(clean), Problems{}) << clean;

    const std::string more = "\" holds more than the time limit in ms and the follow flag; ";
    EXPECT_EQ(problemsOf("\n20 000\n"),
              (Problems{"line 8: \"20 000" + more + "the game reads a limit of 20 ms",
                        "line 8: a time limit of 20 ms is under one second"}));
    EXPECT_EQ(problemsOf("\n20s\n"),
              (Problems{"line 8: \"20s" + more + "the game reads a limit of 20 ms",
                        "line 8: a time limit of 20 ms is under one second"}));
    EXPECT_EQ(problemsOf("\n\n2e4\n")[0],
              "line 9: \"2e4" + more + "the game reads a limit of 2 ms");
    EXPECT_EQ(problemsOf("\n30000 1 fast\n"),
              Problems{"line 8: \"30000 1 fast" + more +
                       "the game reads a limit of 30000 ms and follow view only"});
    EXPECT_EQ(problemsOf("\n30000 2\n"),
              Problems{"line 8: \"30000 2" + more + "the game reads a limit of 30000 ms"});
    EXPECT_EQ(problemsOf("\n99999999999\n"),
              Problems{"line 8: the time limit 99999999999 is too large a number; the game "
                       "reads no limit"});
    EXPECT_EQ(problemsOf("\n500\n"),
              Problems{"line 8: a time limit of 500 ms is under one second"});
}

TEST(BoardCheck, HolesAndTheStartOnADiagonalAreNamedByRowAndColumn) {
    // The diagonal runs through the cell's centre, where the hole is and the ball starts.
    EXPECT_EQ(checkBoard(boardFrom("3 4\n0000\n0000\n0040\n\n1000\n0000\n0020\n")),
              std::vector<std::string>{"the goal hole at row 3, column 3 is on a cell with a "
                                       "diagonal wall: the ball stops against the wall and "
                                       "cannot drop in"});
    EXPECT_EQ(checkBoard(boardFrom("3 4\n8000\n0c80\n0000\n\n1000\n0330\n0002\n")),
              (std::vector<std::string>{
                  "the start at row 1, column 1 is on a cell with a diagonal wall: the ball "
                  "starts inside the wall and is pushed out to one side of it",
                  "2 trap holes are on cells with a diagonal wall, the first at row 2, column "
                  "2: the ball stops against the wall and cannot drop in"}));
    // A gap, a floor cell or a hole beside a diagonal is fine.
    EXPECT_TRUE(checkBoard(boardFrom("2 4\n0048\n0000\n\n1304\n0002\n")).empty());
}

#include "game/PlayCheck.h"

#include "game/Board.h"
#include "game/RoutePlan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

Board boardFrom(const std::string& text) {
    Board board;
    std::optional<std::string> problem = board.parse(text);
    EXPECT_FALSE(problem) << problem.value_or("");
    return board;
}

// An open board of rows x columns, start top left, goal bottom right.
Board openBoard(std::int32_t rows, std::int32_t columns) {
    Board board;
    board.resize(rows, columns);
    board.kinds[0] = KIND_START;
    board.kinds[static_cast<std::size_t>(rows) * columns - 1] = KIND_GOAL;
    return board;
}

} // namespace

TEST(PlayCheck, RouteKeepsTheBallClearFromTheStartToTheGoalCentre) {
    Board board = boardFrom("3 5\n00000\n00000\n00000\n\n10000\n00330\n00002\n");
    Route route = planRoute(board, 0.5, 0.5);
    ASSERT_EQ(route.search, RouteSearch::Found);
    EXPECT_EQ(route.points.front().x, 0.5);
    EXPECT_EQ(route.points.front().y, 0.5);
    EXPECT_EQ(route.points.back().x, 4.5);
    EXPECT_EQ(route.points.back().y, 2.5);
    for (const RoutePoint& point : route.points) {
        EXPECT_GE(point.clearance, 0.0);
        // Never over the trap holes' rims, with their margin.
        for (double trapX : {2.5, 3.5})
            EXPECT_GE(std::hypot(point.x - trapX, point.y - 1.5), 0.45);
    }
}

TEST(PlayCheck, AWinnableBoardIsWonWithASuggestedLimit) {
    Board board = boardFrom("2 3\n010\n000\n\n100\n002\n");
    PlayReport report = playBoard(board);
    ASSERT_EQ(report.verdict, PlayVerdict::Won);
    // The ball runs about three cells: a second or two.
    EXPECT_GT(report.timeMs, 500);
    EXPECT_LT(report.timeMs, 3000);
    EXPECT_EQ(suggestTimeLimit(report.timeMs), (2 * report.timeMs + 999) / 1000 * 1000);
    EXPECT_EQ(describePlayReport(board, report).rfind("won in ", 0), 0u);
    EXPECT_EQ(suggestTimeLimit(660), 2000);
    EXPECT_EQ(suggestTimeLimit(1500), 3000);

    // The same board with a limit below that time: won too slowly.
    board.timeLimit = report.timeMs - 10;
    PlayReport slow = playBoard(board);
    EXPECT_EQ(slow.verdict, PlayVerdict::TooSlow);
    EXPECT_EQ(slow.timeMs, report.timeMs);
    EXPECT_EQ(describePlayReport(board, slow)
                  .rfind("no run reached the goal within its time "
                         "limit of ",
                         0),
              0u);
}

TEST(PlayCheck, BoardsNobodyCanWinAreToldWhy) {
    // A goal on a diagonal: the ball rests against the wall on the rim.
    Board diagonal = boardFrom("3 4\n0000\n0000\n0040\n\n1000\n0000\n0020\n");
    PlayReport report = playBoard(diagonal);
    EXPECT_EQ(report.verdict, PlayVerdict::NoWay);
    EXPECT_EQ(describePlayReport(diagonal, report),
              "no run reached the goal: no way wide enough for the ball leads from the start to a "
              "goal hole");
    // A start in a corner cut off by a diagonal: the ball is squeezed into the corner.
    Board corner = boardFrom("3 4\n8000\n0000\n0000\n\n1000\n0000\n0002\n");
    report = playBoard(corner);
    EXPECT_EQ(report.verdict, PlayVerdict::NoRun);
    EXPECT_EQ(describePlayReport(corner, report),
              "no run reached the goal: the farthest run got 0% of the way, to row 1, column 1, "
              "and made no headway there for 6 s");
}

TEST(PlayCheck, LargeBoardsAreSearchedAlongTheirShortestWayOrGivenUp) {
    // More cells than the route search covers whole: searched along the shortest way.
    Board open = openBoard(300, 300);
    EXPECT_EQ(playBoard(open).verdict, PlayVerdict::Won);
    // A winding corridor whose way passes more cells than the search covers.
    Board winding = openBoard(300, 300);
    for (std::int32_t r = 0; r + 1 < 300; ++r)
        for (std::int32_t c = 0; c < 300; ++c)
            if (c != (r % 2 == 0 ? 299 : 0))
                winding.walls[c + r * 300] = WALL_NEXT_ROW;
    winding.kinds[300 * 300 - 1] = KIND_FLOOR;
    winding.kinds[299 * 300] = KIND_GOAL; // the end of the last row, which runs left
    PlayReport report = playBoard(winding);
    EXPECT_EQ(report.verdict, PlayVerdict::GaveUp);
    EXPECT_EQ(describePlayReport(winding, report),
              "the play check gave up: the shortest way from the start to a goal passes more "
              "cells than it searches a route through (65536)");
}

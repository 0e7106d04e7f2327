#include "game/BoardDiagnosis.h"

#include "game/Board.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A board of rows x columns plain cells, start top left and goal bottom right, as lines.
std::vector<std::string> wallRows(int rows, int columns) {
    return std::vector<std::string>(rows, std::string(columns, '0'));
}

std::vector<std::string> kindRows(int rows, int columns) {
    std::vector<std::string> kinds(rows, std::string(columns, '0'));
    kinds.front()[0] = '1';
    kinds.back().back() = '2';
    return kinds;
}

std::string join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

std::string boardText(const std::string& header, const std::vector<std::string>& walls,
                      const std::vector<std::string>& kinds, const std::string& tail = "") {
    return header + "\n" + join(walls) + "\n" + join(kinds) + tail;
}

} // namespace

TEST(BoardDiagnosis, RefusedBoardsAreExplainedInGridRowsAndCells) {
    struct Case {
        std::string text;
        std::string explanation;
    };
    auto walls = wallRows(8, 8);
    auto kinds = kindRows(8, 8);
    auto trailing = walls;
    trailing[1] += "  ";
    auto tabbed = walls;
    tabbed[1][4] = '\t';
    auto inner = walls;
    inner[2] = "0 00\t00000";
    auto threeKinds = kindRows(3, 8);
    auto lettered = kinds;
    lettered[0] = "S0000000";
    auto blankFirst = kinds;
    blankFirst[0] = " 0000000";
    auto noStart = kinds;
    noStart[0] = "0S000000";
    auto nine = wallRows(9, 8);
    auto gapped = walls;
    gapped.insert(gapped.begin() + 2, "");
    const Case cases[] = {
        {boardText("8 6", wallRows(6, 8), kindRows(6, 8)),
         "the header is rows then columns: did you mean 6 8?"},
        {boardText("8 8", trailing, kinds),
         "walls row 2 (line 3) has 10 characters, 2 of them blanks at the end, expected 8"},
        {boardText("8 8", inner, kinds),
         "walls row 3 (line 4) has 10 characters, 1 of them a tab, 1 of them a blank, expected "
         "8"},
        {boardText("8 8", tabbed, kinds),
         "walls row 2 (line 3), column 5 is a tab, not a hex digit"},
        {boardText("8 8", wallRows(7, 8), kinds), "walls row 8 (line 9) is missing"},
        {boardText("8 8", gapped, kinds),
         "walls row 3 (line 4) is an empty line: a grid's rows follow one another without one"},
        {boardText("8 8", walls, threeKinds, "\n20000\n"), "kinds row 4 (line 14) is missing"},
        {boardText("8 8", walls, threeKinds), "kinds row 4 (line 14) is missing"},
        {boardText("8 8", walls, lettered),
         "kinds row 1 (line 11) starts with 'S', not a digit: the game skips it, since the "
         "kinds grid begins at the first digit"},
        {boardText("8 8", walls, blankFirst),
         "kinds row 1 (line 11) starts with a blank, not a digit: the game skips it, since the "
         "kinds grid begins at the first digit"},
        {boardText("8 8", walls, noStart),
         "kinds row 1 (line 11), column 2 is 'S', not a kind: kinds are the digits 0 to 4, 1 "
         "for the start"},
        {boardText("8 8", nine, kinds),
         "the walls grid has 9 rows (lines 2 to 10), the header says 8"},
    };
    for (const Case& c : cases) {
        Board board;
        ASSERT_TRUE(board.parse(c.text)) << c.text;
        EXPECT_EQ(diagnoseBoardText(c.text), std::vector<std::string>{c.explanation}) << c.text;
    }
}

TEST(BoardDiagnosis, NothingIsAddedWhereTheLoadersLineSaysItAll) {
    for (const std::string& text :
         {std::string("2 3\n010\n000\n\n100\n002\n"), std::string("2 3\n010\n000\n100\n002\n"),
          std::string("-1 -1\n"), std::string("1024 1025\n"), std::string("2 3 4\n"),
          std::string("2 3\n0z0\n000\n\n100\n002\n"), std::string("2 3\n010\n000\n\n000\n002\n"),
          std::string("2 3\n010\n000\n\n"), std::string("")})
        EXPECT_EQ(diagnoseBoardText(text), std::vector<std::string>{}) << text;
}

#include "game/BoardDrawing.h"

#include "game/Board.h"
#include "game/BoardText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

Board boardFrom(const std::string& text) {
    Board board;
    std::optional<std::string> problem = board.parse(text);
    EXPECT_FALSE(problem) << problem.value_or("");
    return board;
}

std::string problemOf(const std::string& picture) {
    Board board;
    std::optional<std::string> problem = readBoardDrawing(picture, board);
    EXPECT_FALSE(board.hasGrids()) << "a refused picture leaves no grids";
    return problem.value_or("accepted");
}

} // namespace

TEST(BoardDrawing, RulersNumberColumnsAboveAndRowsBeside) {
    Board board = boardFrom("2 3\n412\n000\n\n134\n002\n\n30000\n1\n");
    EXPECT_EQ(drawBoard(board, false),
              "3 x 2 cells (columns x rows), time limit 30.00 s, follow view only\n"
              "+---+---+---+\n"
              "|\\S\\  T  ###|\n"
              "+   +---+   +\n"
              "|         G |\n"
              "+---+---+---+\n");
    EXPECT_EQ(drawBoard(board, true),
              "3 x 2 cells (columns x rows), time limit 30.00 s, follow view only\n"
              "    1   2   3\n"
              "  +---+---+---+\n"
              "1 |\\S\\  T  ###|\n"
              "  +   +---+   +\n"
              "2 |         G |\n"
              "  +---+---+---+\n");
    // Numbers end over the middle of their cell; from 1000 columns on, every other one.
    auto rulerOf = [](const Board& board) {
        std::string picture = drawBoard(board, true);
        std::size_t start = picture.find('\n') + 1;
        return picture.substr(start, picture.find('\n', start) - start);
    };
    Board wide;
    wide.resize(10, 12);
    EXPECT_EQ(rulerOf(wide), "     1   2   3   4   5   6   7   8   9  10  11  12");
    wide.resize(1, 1000);
    std::string ruler = rulerOf(wide);
    EXPECT_EQ(ruler.substr(0, 17), "    1   2       4");
    EXPECT_EQ(ruler.substr(ruler.size() - 11), "998    1000");
    EXPECT_EQ(ruler.size(), std::size_t{2 + 4 * 999 + 3});
}

TEST(BoardDrawing, PicturesWithOrWithoutRulersGiveTheBoardBack) {
    for (const char* text : {"2 3\n412\n000\n\n134\n002\n\n30000 1\n", "1 1\n0\n\n1\n",
                             "3 4\n01a8\nf400\n0000\n\n1003\n0420\n0000\n\n-1 1\n",
                             "2 2\n31\n20\n\n12\n44\n\n12340\n"}) {
        Board board = boardFrom(text);
        for (bool withRulers : {false, true}) {
            Board drawn;
            ASSERT_FALSE(readBoardDrawing(drawBoard(board, withRulers), drawn)) << text;
            // The outline's bits are left out: the outline is always walled.
            Board expected = boardFrom(text);
            for (std::int32_t i = 0; i < expected.width * expected.height; ++i) {
                if (i % expected.width == expected.width - 1)
                    expected.walls[i] &= ~WALL_NEXT_COLUMN;
                if (i / expected.width == expected.height - 1)
                    expected.walls[i] &= ~WALL_NEXT_ROW;
            }
            EXPECT_EQ(formatBoardText(drawn), formatBoardText(expected)) << text;
            EXPECT_EQ(drawn.startX, board.startX);
            EXPECT_EQ(drawn.startY, board.startY);
        }
    }
}

TEST(BoardDrawing, WhatAnAuthorWritesIsRead) {
    Board board;
    // A compact picture, a dot for floor, a limit in ms, blanks at line ends and CR LF.
    ASSERT_FALSE(readBoardDrawing("time limit 1500 ms\r\n\n+-+-+-+  \r\n|S . \\|\r\n+ +-+ +\r\n"
                                  "|# T G|\r\n+-+-+-+\r\n",
                                  board));
    EXPECT_EQ(formatBoardText(board), "2 3\n014\n000\n\n100\n432\n\n1500\n");
    // A wall under two cells drawn through the corner between them.
    ASSERT_FALSE(
        readBoardDrawing("+---+---+\n| S     |\n+-------+\n| G     |\n+---+---+\n", board));
    EXPECT_EQ(formatBoardText(board), "2 2\n11\n00\n\n10\n20\n");
    ASSERT_FALSE(readBoardDrawing("time limit 2.5 s\n+---+\n| S |\n+---+\n", board));
    EXPECT_EQ(board.timeLimit, 2500);
    ASSERT_FALSE(readBoardDrawing("no time limit, follow view only\n+---+\n| S |\n+---+\n", board));
    EXPECT_EQ(formatBoardText(board), "1 1\n0\n\n1\n\n-1 1\n");
}

TEST(BoardDrawing, AWrongPictureIsRefusedNamingItsLineCharacterRowAndColumn) {
    const std::string top = "  +---+---+\n";
    EXPECT_EQ(problemOf(""), "no picture: a board is drawn as a top border, '+---+' for each "
                             "column, then for each row a line of cells and a border line");
    EXPECT_EQ(problemOf("header\nsecond line\n+---+\n"),
              "line 2, character 1: expected the picture's top border, '+---+' for each column");
    EXPECT_EQ(problemOf("time limit soon\n+---+\n| S |\n+---+\n"),
              "line 1: the time limit is written as show writes it, \"time limit 20.00 s\", or "
              "in ms, \"time limit 20000 ms\"");
    EXPECT_EQ(problemOf("+--+\n"), "line 1, character 1: the top border is '+---+' for each "
                                   "column (or '+-+')");
    EXPECT_EQ(problemOf("+---+---\n"), "line 1, character 8: the top border ends inside a column");
    EXPECT_EQ(problemOf("+---+\n"), "the picture has no rows: after the top border come, for "
                                    "each row, a line of cells and a border line");
    EXPECT_EQ(problemOf(top + "1 | S   |\n"),
              "line 2: the picture ends with a line of cells; a border line must follow it");
    EXPECT_EQ(problemOf(top + "1 | S  |\n  +---+---+\n"),
              "line 2 (row 1) is 8 characters long, expected 11 as the top border");
    EXPECT_EQ(problemOf(top + "1 |\tS  |\n  +---+---+\n"),
              "line 2 (row 1) is 8 characters long, expected 11 as the top border; it holds a "
              "tab, and a picture lines up with blanks only");
    EXPECT_EQ(problemOf(top + "x | S   |\n  +---+---+\n"),
              "line 2, character 1: 'x' stands left of the picture, where only row numbers go");
    EXPECT_EQ(problemOf(top + "1 : S     |\n  +---+---+\n"),
              "line 2, character 3 (row 1): expected '|', the board's left edge, found ':'");
    EXPECT_EQ(problemOf(top + "1 | S \\   |\n  +---+---+\n"),
              "line 2, character 7 (row 1, column 1): the wall right of a cell is '|' or a blank, "
              "found '\\'");
    EXPECT_EQ(problemOf(top + "1 | S  \\G |\n  +---+---+\n"),
              "line 2, character 10 (row 1, column 2): the cell's sides differ, '\\' and a "
              "blank: a diagonal wall is drawn on both sides of the cell's kind");
    EXPECT_EQ(problemOf(top + "1 | S  =G=|\n  +---+---+\n"),
              "line 2, character 8 (row 1, column 2): '=' is not a diagonal wall (\\, / or X)");
    EXPECT_EQ(problemOf(top + "1 | S   ? |\n  +---+---+\n"),
              "line 2, character 9 (row 1, column 2): '?' is not a cell kind (a blank or . for "
              "floor, S start, G goal hole, T trap hole, # gap)");
    EXPECT_EQ(problemOf(top + "1 | S   G |\n  +-- +---+\n"),
              "line 3, character 4 (row 1, column 1): the wall under a cell is drawn '---' or "
              "left blank, found \"-- \"");
    EXPECT_EQ(problemOf(top + "1 |     G |\n  +---+---+\n"),
              "the picture has no start: draw an S in the cell the ball starts on");
}

#include "game/Board.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

namespace {

const std::string SMALL_BOARD = "2 3\n010\n000\n\n100\n002\n";

std::optional<std::string> problemOf(const std::string& text) {
    Board board;
    std::optional<std::string> problem = board.parse(text);
    if (problem) {
        EXPECT_FALSE(board.hasGrids()) << "a refused board keeps no grids";
    }
    return problem;
}

std::int32_t wallAt(const Board& board, int c, int r) {
    return board.walls[c + r * board.width];
}

std::int32_t kindAt(const Board& board, int c, int r) {
    return board.kinds[c + r * board.width];
}

// A board of rows x columns plain cells with the start in the first one.
std::string plainBoardText(int rows, int columns) {
    std::string walls(static_cast<std::size_t>(columns), '0');
    std::string text = std::to_string(rows) + " " + std::to_string(columns) + "\n";
    for (int r = 0; r < rows; ++r)
        text += walls + "\n";
    text += "\n";
    for (int r = 0; r < rows; ++r)
        text += (r == 0 ? "1" + walls.substr(1) : walls) + "\n";
    return text;
}

} // namespace

TEST(BoardFile, SmallBoardReadsWallsKindsAndStart) {
    Board board;
    ASSERT_FALSE(board.parse(SMALL_BOARD));
    EXPECT_EQ(board.width, 3);
    EXPECT_EQ(board.height, 2);
    EXPECT_EQ(wallAt(board, 1, 0), WALL_NEXT_ROW);
    EXPECT_EQ(wallAt(board, 0, 0) + wallAt(board, 2, 0) + wallAt(board, 1, 1), 0);
    EXPECT_EQ(kindAt(board, 2, 1), KIND_GOAL);
    EXPECT_EQ(board.startX, 0.0f);
    EXPECT_EQ(board.startY, 0.0f);
    EXPECT_EQ(board.timeLimit, -1);
    EXPECT_FALSE(board.noTopView);
}

TEST(BoardFile, HexDigitsOfEitherCaseGiveTheSameMasks) {
    Board board;
    ASSERT_FALSE(board.parse("2 6\nFfAaBb\n9CcDdE\n\n100000\n000002\n"));
    const int expected[2][6] = {{15, 15, 10, 10, 11, 11}, {9, 12, 12, 13, 13, 14}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 6; ++c)
            EXPECT_EQ(wallAt(board, c, r), expected[r][c]) << c << "," << r;
}

TEST(BoardFile, LastStartCellInRowMajorOrderWins) {
    Board board;
    ASSERT_FALSE(board.parse("2 3\n000\n000\n\n010\n102\n"));
    EXPECT_EQ(board.startX, 0.0f);
    EXPECT_EQ(board.startY, 1.0f);
}

TEST(BoardFile, TextWithoutDigitsBetweenTheGridsIsSkipped) {
    for (const char* separator : {"\n", "", "\nno digits here, only words!\n\n", "   \t"}) {
        Board board;
        std::string text = std::string("2 3\n010\n000\n") + separator + "100\n002\n";
        ASSERT_FALSE(board.parse(text)) << separator;
        EXPECT_EQ(kindAt(board, 0, 0), KIND_START) << separator;
        EXPECT_EQ(kindAt(board, 2, 1), KIND_GOAL) << separator;
    }
}

TEST(BoardFile, TimeLimitAndTopViewFlagFollowTheKinds) {
    struct Case {
        const char* tail;
        std::int32_t limit;
        bool noTopView;
    };
    const Case cases[] = {
        {"\n-1\n1\n", -1, true},          {"\n30000\n", 30000, false},
        {"\n30000\n2\n", 30000, false},   {"\n30000 1", 30000, true},
        {"\nsoon\n1\n", -1, false},       {"\n-250\n", -1, false},
        {"\n30000\nyes\n", 30000, false}, {"\n99999999999\n1\n", -1, false},
    };
    for (const Case& c : cases) {
        Board board;
        ASSERT_FALSE(board.parse(SMALL_BOARD + c.tail)) << c.tail;
        EXPECT_EQ(board.timeLimit, c.limit) << c.tail;
        EXPECT_EQ(board.noTopView, c.noTopView) << c.tail;
    }
}

TEST(BoardFile, NumbersAreReadAsATextStreamReadsThem) {
    // Blanks and line ends before a number are skipped and counted; a sign, leading zeros and
    // any count of digits are taken, and a value past 32 bits is no number rather than a
    // wrapped one.
    Board board;
    ASSERT_FALSE(board.parse("+02\n\n 003\n010\n000\n\n100\n002\n"));
    EXPECT_EQ(board.height * 10 + board.width, 23);
    EXPECT_EQ(problemOf("2\n\n3 4\n010\n000\n\n100\n002\n"),
              "line 3 has more than the two header numbers");
    const std::string header = "the header is not two positive integers (rows, columns)";
    for (const char* refused : {"-0 3\n", "- 2 3\n", "2 +-3\n", "0x2 3\n", "2147483648 3\n",
                                "4294967298 3\n", "2 18446744073709551619\n"})
        EXPECT_EQ(problemOf(refused), header) << refused;

    struct Case {
        const char* tail;
        std::int32_t limit;
        bool noTopView;
    };
    const Case cases[] = {
        {"\n2147483647\n", 2147483647, false},
        {"\n2147483648\n1\n", -1, false},
        {"\n-2147483648 1\n", -1, true},
        {"\n-2147483649 1\n", -1, false},
        {"\n+30000 +1", 30000, true},
        {"\n030000 01", 30000, true},
        {"\n30000x1", 30000, false},
        {"\n-\n1\n", -1, false},
        {"\n4294967297 1\n", -1, false},
        {"\n0x10 1\n", 0, false},
        {"\n0000000000000000000000000005 1", 5, true},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(board.parse(SMALL_BOARD + c.tail)) << c.tail;
        EXPECT_EQ(board.timeLimit, c.limit) << c.tail;
        EXPECT_EQ(board.noTopView, c.noTopView) << c.tail;
    }
}

TEST(BoardFile, CarriageReturnsBeforeLineFeedsAreDropped) {
    Board board;
    ASSERT_FALSE(board.parse("2 3\r\n010\r\n000\r\n\r\n100\r\n002\r\n\r\n20000\r\n"));
    EXPECT_EQ(wallAt(board, 1, 0), WALL_NEXT_ROW);
    EXPECT_EQ(board.timeLimit, 20000);
}

TEST(BoardFile, WhatTheFormatAllowsStaysAccepted) {
    Board board;
    // Header numbers on their own lines with a sign, a last line without its line feed, and
    // kinds outside 0 to 4, which play as plain floor.
    ASSERT_FALSE(board.parse("  +2\n3\n000\n000\n\n19x\n002"));
    EXPECT_EQ(kindAt(board, 1, 0), 9);
    EXPECT_EQ(kindAt(board, 2, 0), 'x' - '0');
    EXPECT_EQ(kindAt(board, 2, 1), KIND_GOAL);
}

TEST(BoardFile, AnEditorsByteOrderMarkAndBlanksAfterTheHeaderAreAccepted) {
    for (const char* text :
         {"\xEF\xBB\xBF"
          "2 3\n010\n000\n\n100\n002\n",
          "2 3 \t\n010\n000\n\n100\n002\n", "2 3  \r\n010\r\n000\r\n\r\n100\r\n002\r\n",
          "\xEF\xBB\xBF  2 3 \n010\n000\n\n100\n002\n"}) {
        Board board;
        ASSERT_FALSE(board.parse(text)) << text;
        EXPECT_EQ(board.width, 3);
        EXPECT_EQ(wallAt(board, 1, 0), WALL_NEXT_ROW);
        EXPECT_EQ(kindAt(board, 2, 1), KIND_GOAL);
    }
}

TEST(BoardFile, MalformedBoardsAreRefusedWithTheirProblem) {
    struct Case {
        std::string text;
        std::string problem;
    };
    const std::string header = "the header is not two positive integers (rows, columns)";
    const Case cases[] = {
        {"0 3\n", header},
        {"-2 3\n", header},
        {"two 3\n", header},
        {"2\n", header},
        {"", header},
        {"99999999999 3\n", header},
        {"2 3 4\n010\n000\n\n100\n002\n", "line 1 has more than the two header numbers"},
        {"2 3 x\n010\n000\n\n100\n002\n", "line 1 has more than the two header numbers"},
        {"\xEF\xBB\xBF\xEF\xBB\xBF"
         "2 3\n010\n000\n\n100\n002\n",
         header},
        {"2 3", "the file ends after the header"},
        {"1024 1024\n", "1024 x 1024 is 1048576 cells, more than 1048575"},
        {"2147483647 2147483647\n",
         "2147483647 x 2147483647 is 4611686014132420609 cells, more than 1048575"},
        {"2 3\n010\n00\n\n100\n002\n", "line 3 has 2 cells, expected 3"},
        {"2 3\n0100\n000\n\n100\n002\n", "line 2 has 4 cells, expected 3"},
        {"2 3\n\n010\n000\n\n100\n002\n", "line 2 has 0 cells, expected 3"},
        {"2 3\n010\n0g0\n\n100\n002\n", "line 3 column 2: 'g' is not a hex digit"},
        {"2 3\n010\n0 0\n\n100\n002\n", "line 3 column 2: byte 0x20 is not a hex digit"},
        {"2 3\n010\n", "the file ends before the walls grid is complete"},
        {"2 3\n010\n000\n\n", "the file ends before the kinds grid"},
        {"2 3\n010\n000\n\n100\n", "the file ends before the kinds grid is complete"},
        {"2 3\n010\n000\n\n100\n0020\n", "line 6 has 4 cells, expected 3"},
        {"2 3\n010\n000\n\n000\n002\n", "no start cell (kind 1)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(problemOf(c.text).value_or("accepted"), c.problem) << c.text;
}

TEST(BoardFile, LargestBoardIsAccepted) {
    Board board;
    ASSERT_FALSE(board.parse(plainBoardText(1023, 1025)));
    EXPECT_EQ(board.width * board.height, 1048575);
}

TEST(BoardFile, RefusedBoardReplacesTheOldContents) {
    Board board;
    ASSERT_FALSE(board.parse(SMALL_BOARD + "\n5000\n"));
    ASSERT_TRUE(board.parse("2 3\n010\n0x0\n\n100\n002\n"));
    EXPECT_FALSE(board.hasGrids());
    EXPECT_EQ(board.width, 0);
    EXPECT_EQ(board.height, 0);
    EXPECT_EQ(board.timeLimit, -1);
}

TEST(BoardFile, EveryCutOfAValidFileParsesOrIsRefusedSafely) {
    const std::string text = "3 4\n01a8\nF400\n0000\n\n1003\n0420\n0000\n\n45000\n1\n";
    for (std::size_t length = 0; length <= text.size(); ++length) {
        Board board;
        if (!board.parse(text.substr(0, length))) {
            EXPECT_TRUE(board.hasGrids());
            EXPECT_EQ(board.width, 4);
        }
    }
}

TEST(BoardFile, RandomBytesNeverBreakTheLoader) {
    std::mt19937 random(20240601);
    const std::string alphabet = "0123456789abcdefABCDEFxyz \n\r\t-+";
    for (int round = 0; round < 2000; ++round) {
        std::string text = std::to_string(random() % 5 + 1) + " " + std::to_string(random() % 5);
        std::size_t length = random() % 60;
        for (std::size_t i = 0; i < length; ++i)
            text += round % 2 ? alphabet[random() % alphabet.size()] : static_cast<char>(random());
        Board board;
        if (!board.parse(text)) {
            ASSERT_TRUE(board.hasGrids());
            ASSERT_GT(board.width * board.height, 0);
            ASSERT_LT(board.startX, static_cast<float>(board.width));
            ASSERT_LT(board.startY, static_cast<float>(board.height));
        }
    }
}

TEST(BoardLoad, MissingFilePrintsOnlyTheOpenMessage) {
    Board board;
    ASSERT_FALSE(board.parse(SMALL_BOARD));
    testing::internal::CaptureStderr();
    board.load("levs/no such board");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Couldn't open board file levs/no such board\n");
    EXPECT_FALSE(board.hasGrids());
}

TEST(BoardLoad, MalformedFilePrintsOneWarningNamingIt) {
    char path[] = "/tmp/tirva-board-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    std::FILE* file = fdopen(fd, "w");
    std::fputs("2 3\n010\n0000\n\n100\n002\n", file);
    std::fclose(file);
    testing::internal::CaptureStderr();
    Board board(path);
    std::string printed = testing::internal::GetCapturedStderr();
    std::remove(path);
    EXPECT_EQ(printed,
              std::string("Warning: board ") + path + ": line 3 has 4 cells, expected 3\n");
    EXPECT_FALSE(board.hasGrids());
}

TEST(BoardFile, FixtureBoardsLoad) {
    testing::internal::CaptureStderr();
    Board board(std::string(TIRVA_FIXTURES_DIR) + "/boards/diagonals.txt");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(board.hasGrids());
}

TEST(BoardResize, GivesPlainCellsAndKeepsTheStart) {
    Board board;
    ASSERT_FALSE(board.parse("2 3\nfff\nfff\n\n333\n331\n\n1000\n1\n"));
    board.resize(4, 5);
    ASSERT_TRUE(board.hasGrids());
    EXPECT_EQ(board.height, 4);
    EXPECT_EQ(board.width, 5);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(board.walls[i], 0);
        EXPECT_EQ(board.kinds[i], KIND_FLOOR);
    }
    EXPECT_EQ(board.timeLimit, -1);
    EXPECT_FALSE(board.noTopView);
    EXPECT_EQ(board.startX, 2.0f);
    EXPECT_EQ(board.startY, 1.0f);
}

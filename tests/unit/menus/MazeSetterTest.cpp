#include "menus/MazeSetter.h"

#include "base/KeyCodes.h"
#include "game/MazeGeneration.h"
#include "tests/unit/base/SeededRandom.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct PlayedMaze {
    std::int32_t width;
    std::int32_t height;
};

// A maze menu whose "start" records the boards it would play.
struct RecordingMazeMenu {
    std::vector<PlayedMaze> played;
    SeededRandom random{1};
    MazeSetter menu{[this](Board& board) {
                        played.push_back({board.width, board.height});
                    },
                    random.source()};

    void type(MenuItem& item, const std::string& keys) {
        for (char key : keys)
            item.handleKey(key);
    }
    void clear(MenuItem& item) {
        for (int i = 0; i < 12; ++i)
            item.handleKey(KEY_BACKSPACE);
    }
};

} // namespace

TEST(MazeSetter, StartsAtTenByTenWithPrimAndTheFourLinesInOrder) {
    RecordingMazeMenu maze;
    ASSERT_EQ(maze.menu.items.size(), 4u);
    EXPECT_EQ(maze.menu.items[0].label, "size w");
    EXPECT_EQ(maze.menu.items[1].label, "size h");
    EXPECT_EQ(maze.menu.items[2].label, "algorithm");
    EXPECT_EQ(maze.menu.items[3].label, "start");
    EXPECT_EQ(&maze.menu.items[3].item, &maze.menu.starter);
    EXPECT_EQ(maze.menu.width.value, 10u);
    EXPECT_EQ(maze.menu.height.value, 10u);
    EXPECT_EQ(maze.menu.algorithm.index, 0u);
    EXPECT_EQ(maze.menu.algorithm.options,
              (std::vector<std::string>{"prim", "dfs", "kruskal", "chambers"}));
}

TEST(MazeSetter, StartPlaysAFreshMazeOfTheTypedSizeOnReturnOrSpaceOnly) {
    RecordingMazeMenu maze;
    for (int key : {KEY_LEFT, KEY_RIGHT, KEY_BACKSPACE, int('1'), KEY_PERIOD})
        EXPECT_TRUE(maze.menu.starter.handleKey(key));
    EXPECT_TRUE(maze.played.empty());
    maze.clear(maze.menu.width);
    maze.type(maze.menu.width, "7");
    EXPECT_TRUE(maze.menu.starter.handleKey(KEY_RETURN));
    EXPECT_TRUE(maze.menu.starter.handleKey(KEY_SPACE));
    ASSERT_EQ(maze.played.size(), 2u);
    EXPECT_EQ(maze.played[1].width, 7);
    EXPECT_EQ(maze.played[1].height, 10);
    EXPECT_TRUE(maze.menu.board.hasGrids());
    // The mazes come from the source the menu was given.
    EXPECT_GT(maze.random.draws(), 0);
}

TEST(MazeSetter, OneByOneIsAGoalCell) {
    RecordingMazeMenu maze;
    maze.clear(maze.menu.width);
    maze.clear(maze.menu.height);
    maze.type(maze.menu.width, "1");
    maze.type(maze.menu.height, "1");
    EXPECT_TRUE(maze.menu.startMaze());
    ASSERT_TRUE(maze.menu.board.hasGrids());
    EXPECT_EQ(maze.menu.board.kinds[0], KIND_GOAL);
}

TEST(MazeSetter, AnEmptySizeDoesNothing) {
    RecordingMazeMenu maze;
    maze.clear(maze.menu.width);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(maze.menu.startMaze());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(maze.played.empty());
    EXPECT_FALSE(maze.menu.board.hasGrids());
}

TEST(MazeSetter, ASizeAboveTheLimitOnlyPrintsTheLimit) {
    const std::string limit = std::to_string(BOARD_MAX_CELLS);
    for (const char* width : {"4294967295", "2147483648", "99999", "4097"}) {
        RecordingMazeMenu maze;
        maze.clear(maze.menu.width);
        maze.clear(maze.menu.height);
        maze.type(maze.menu.width, width);
        maze.type(maze.menu.height, "4096");
        testing::internal::CaptureStderr();
        EXPECT_FALSE(maze.menu.startMaze());
        std::string message = testing::internal::GetCapturedStderr();
        EXPECT_EQ(message, "Warning: maze of " + std::string(width) +
                               "x4096 cells refused, the largest is " + limit +
                               " cells (width times height)\n");
        EXPECT_TRUE(maze.played.empty());
        EXPECT_FALSE(maze.menu.board.hasGrids());
    }
}

TEST(MazeSetter, TheLastMazeStaysUntilTheNextStartReplacesIt) {
    RecordingMazeMenu maze;
    maze.menu.startMaze();
    maze.clear(maze.menu.width);
    maze.type(maze.menu.width, "4294967295");
    testing::internal::CaptureStderr();
    maze.menu.startMaze();
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(maze.menu.board.width, 10);
    EXPECT_TRUE(maze.menu.board.hasGrids());
}

TEST(MazeSetter, TheNoteSaysWhatTheChosenGeneratorMakesInWordsTheFontDraws) {
    RecordingMazeMenu maze;
    EXPECT_EQ(maze.menu.describeAlgorithm(), "prim - many short dead ends");
    std::vector<std::string> notes;
    for (std::size_t i = 0; i < listMazeAlgorithms().size(); ++i) {
        notes.push_back(maze.menu.describeAlgorithm());
        maze.menu.algorithm.handleKey(KEY_RIGHT);
    }
    EXPECT_EQ(notes[1], "dfs - long winding corridors");
    EXPECT_EQ(maze.menu.describeAlgorithm(), notes[0]) << "Right wraps back to prim";
    for (const std::string& note : notes)
        for (char ch : note)
            EXPECT_TRUE((ch >= 'a' && ch <= 'z') || ch == ' ' || ch == '-') << note;
    maze.menu.algorithm.index = 4294967295u; // none chosen
    EXPECT_EQ(maze.menu.describeAlgorithm(), "");
}

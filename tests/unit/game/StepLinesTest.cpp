#include "game/StepLines.h"

#include "game/Board.h"
#include "game/PlayLoop.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

TEST(StepLines, AwkwardLinesKeepTheirReadings) {
    struct Accepted {
        const char* text;
        std::int32_t ms;
        float tiltX, tiltY;
    };
    // Fields are split at any blank; the step is a whole number that may carry a '+', and
    // then even a '-' ("+-0"), the tilts are decimal numbers.
    const Accepted accepted[] = {
        {"10 0 0", 10, 0.0f, 0.0f},
        {" \t10\v1.5\f-2 \r", 10, 1.5f, -2.0f},
        {"+10 +1 -1", 10, 1.0f, -1.0f},
        {"+-0 0 0", 0, 0.0f, 0.0f},
        {"-0 0 0", 0, 0.0f, 0.0f},
        {"010 +-600 .5", 10, -600.0f, 0.5f},
        {"60000 1e2 5.", 60000, 100.0f, 5.0f},
        {"0000000000000000000000000007 0 0", 7, 0.0f, 0.0f},
        // Past the board's limit, as the game's tilt input holds it.
        {"10 1e30 -600.5", 10, 600.0f, -600.0f},
    };
    for (const Accepted& a : accepted) {
        bool ok = false;
        std::optional<StepLine> line = parseStepLine(a.text, ok);
        ASSERT_TRUE(line.has_value()) << a.text;
        EXPECT_TRUE(ok) << a.text;
        EXPECT_EQ(line->ms, a.ms) << a.text;
        EXPECT_EQ(line->tiltX, a.tiltX) << a.text;
        EXPECT_EQ(line->tiltY, a.tiltY) << a.text;
    }

    for (const char* skipped : {"", "   \t", "# a comment", "#10 0 0", "  #"}) {
        bool ok = false;
        EXPECT_FALSE(parseStepLine(skipped, ok).has_value()) << skipped;
        EXPECT_TRUE(ok) << skipped;
    }

    for (const char* refused :
         {"-1 0 0",   "60001 0 0",  "2147483648 0 0", "4294967306 0 0", "99999999999999999999 0 0",
          "++10 0 0", "-+10 0 0",   "0x10 0 0",       "10.0 0 0",       "1e1 0 0",
          "10# 0 0",  "10",         "10 0",           "10 0 0 0",       "10 inf 0",
          "10 0 nan", "10 0x1p3 0", "10 1e99 0",      "10 1e-50 0",     "10 0 1,5"}) {
        bool ok = true;
        EXPECT_FALSE(parseStepLine(refused, ok).has_value()) << refused;
        EXPECT_FALSE(ok) << refused;
    }
}

namespace {

const char* const BOARD = "3 4\n0a21\n4802\n0000\n\n1003\n0240\n0002\n";

// Parses "x y z vx vy goalMark result" lines.
std::vector<float> numbersOf(const std::string& output) {
    std::vector<float> numbers;
    std::istringstream fields(output);
    for (float value; fields >> value;)
        numbers.push_back(value);
    return numbers;
}

} // namespace

TEST(StepLines, LongStepsRunAsThePlayLoopRunsALongFrame) {
    Board board;
    ASSERT_FALSE(board.parse(BOARD));
    StepRunner runner(board);
    std::int32_t tick = 0;
    Ball game([&] { return tick; });
    game.begin(board);
    for (const char* line : {"1000 300 -200", "45 -600 600", "31 0 0", "30 100 100"}) {
        std::string output;
        ASSERT_TRUE(runner.feed(line, output));
        bool ok = true;
        StepLine step = *parseStepLine(line, ok);
        game.tiltX = step.tiltX;
        game.tiltY = step.tiltY;
        tick += step.ms;
        StepResult result = stepBall(game, step.ms);
        std::vector<float> expected = {
            game.x, game.y, game.z, game.vx, game.vy, 0.0f, static_cast<float>(result)};
        std::vector<float> printed = numbersOf(output);
        ASSERT_EQ(printed.size(), expected.size()) << line;
        for (std::size_t i : {0, 1, 2, 3, 4, 6})
            EXPECT_EQ(printed[i], expected[i]) << line << " field " << i;
        if (result != StepResult::Rolling)
            break;
    }
}

TEST(StepLines, NoStepLengthGivesANumberThatIsNone) {
    Board board;
    ASSERT_FALSE(board.parse(BOARD));
    for (int ms : {0, 1, 29, 31, 999, 1000, 4321, 30000, 59999, 60000})
        for (const char* tilt : {" 600 600", " -600 -600", " 600 -600", " 0 0"}) {
            StepRunner runner(board);
            std::string output;
            std::string line = std::to_string(ms) + tilt;
            ASSERT_TRUE(runner.feed(line, output));
            for (float value : numbersOf(output))
                EXPECT_TRUE(std::isfinite(value)) << line << ": " << output;
        }
}

TEST(StepLines, LinesAreReadUpToTheirLimit) {
    std::istringstream input("10 0 0\n\nlast");
    std::string line;
    EXPECT_EQ(readBoundedLine(input, line, 8), LineRead::Line);
    EXPECT_EQ(line, "10 0 0");
    EXPECT_EQ(readBoundedLine(input, line, 8), LineRead::Line);
    EXPECT_EQ(line, "");
    EXPECT_EQ(readBoundedLine(input, line, 8), LineRead::Line);
    EXPECT_EQ(line, "last");
    EXPECT_EQ(readBoundedLine(input, line, 8), LineRead::End);

    std::istringstream endless(std::string(100000, '0'));
    EXPECT_EQ(readBoundedLine(endless, line, MAX_STEP_LINE_BYTES), LineRead::TooLong);
    EXPECT_EQ(line.size(), MAX_STEP_LINE_BYTES);
}

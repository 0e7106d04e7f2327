#include "game/StepLines.h"

#include <gtest/gtest.h>

#include <string>

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

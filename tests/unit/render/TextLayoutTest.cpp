#include "render/TextLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Point {
    float x, y;
};

// Records what a text draws, with every vertex moved by the translations in force, and the
// calls in order as one letter each: ( push, ) pop, T translate, L lines, P points, E end.
class RecordingSink final : public TextSink {
public:
    void pushMatrix() override {
        calls += '(';
        saved.push_back(offset);
    }
    void popMatrix() override {
        calls += ')';
        offset = saved.back();
        saved.pop_back();
    }
    void translate(float x, float y) override {
        calls += 'T';
        offset = {offset.x + x, offset.y + y};
    }
    void beginLines() override {
        calls += 'L';
        inPoints = false;
    }
    void beginPoints() override {
        calls += 'P';
        inPoints = true;
    }
    void end() override { calls += 'E'; }
    void vertex(float x, float y) override {
        (inPoints ? points : lineEnds).push_back({offset.x + x, offset.y + y});
    }

    std::string calls;
    Point offset{0, 0};
    std::vector<Point> saved;
    std::vector<Point> lineEnds;
    std::vector<Point> points;
    bool inPoints = false;
};

// A font where "a" is only the top segment and every digit only the bottom one, so a glyph's
// position shows in its first vertex.
GlyphTable testTable() {
    GlyphTable table{};
    table[0] = 0x0001;
    table[7] = 0x0003; // "h": top and upper left
    for (int digit = 0; digit < 10; ++digit)
        table[FIRST_DIGIT_GLYPH + digit] = 0x0200;
    return table;
}

} // namespace

TEST(TextLayout, AFullStopSitsInTheGapAndDoesNotAdvance) {
    RecordingSink sink;
    EXPECT_EQ(emitText(testTable(), "12.50", ALIGN_LEFT, sink), 0);
    ASSERT_EQ(sink.lineEnds.size(), 8u);
    EXPECT_FLOAT_EQ(sink.lineEnds[4].x, 1.2f); // "5" is the third position
    EXPECT_FLOAT_EQ(sink.lineEnds[6].x, 1.8f);
    ASSERT_EQ(sink.points.size(), 1u);
    EXPECT_FLOAT_EQ(sink.points[0].x, 1.15f);
    // Hanging just under the base line, clear of the strokes on either side.
    EXPECT_FLOAT_EQ(sink.points[0].y, DOT_DROP);
    EXPECT_LT(DOT_DROP, 0.0f);
    EXPECT_GT(DOT_DROP, -(TEXT_LINE_PITCH - 1.0f));
    EXPECT_EQ(sink.calls, "LEPELE");
}

TEST(TextLayout, RightAndCentreShiftByTheWholeByteLengthAndRestoreTheMatrix) {
    RecordingSink right;
    emitText(testTable(), "12.50", ALIGN_RIGHT, right);
    EXPECT_FLOAT_EQ(right.lineEnds[0].x, -3.0f);
    EXPECT_EQ(right.calls, "(TLEPELE)");
    RecordingSink centre;
    emitText(testTable(), "a\na", ALIGN_CENTRE, centre);
    EXPECT_FLOAT_EQ(centre.lineEnds[0].x, -0.9f);
    EXPECT_FLOAT_EQ(centre.offset.x, 0.0f);
    EXPECT_FLOAT_EQ(centre.offset.y, 0.0f);
}

TEST(TextLayout, LineFeedsAreCountedAndLeftInTheMatrixWhenAlignedLeft) {
    RecordingSink sink;
    EXPECT_EQ(emitText(testTable(), "a\na\n", ALIGN_LEFT, sink), 2);
    EXPECT_FLOAT_EQ(sink.offset.y, -2.4f);
    EXPECT_FLOAT_EQ(sink.lineEnds[2].x, 0.0f); // the second line starts at the left again
    EXPECT_FLOAT_EQ(sink.lineEnds[2].y, 1.0f - 1.2f);
    EXPECT_EQ(sink.calls, "LETLETLE");
    RecordingSink centred;
    EXPECT_EQ(emitText(testTable(), "a\na\n", ALIGN_CENTRE, centred), 2);
    EXPECT_FLOAT_EQ(centred.offset.y, 0.0f);
}

TEST(TextLayout, BlankAndUnknownCharactersStillAdvance) {
    RecordingSink sink;
    emitText(testTable(), "b #a", ALIGN_LEFT, sink);
    ASSERT_EQ(sink.lineEnds.size(), 2u);
    EXPECT_FLOAT_EQ(sink.lineEnds[0].x, 1.8f);
}

TEST(TextLayout, UpperCaseLettersDrawTheirLowerCaseGlyphs) {
    RecordingSink upper, lower;
    emitText(testTable(), "H", ALIGN_LEFT, upper);
    emitText(testTable(), "h", ALIGN_LEFT, lower);
    EXPECT_EQ(upper.lineEnds.size(), 4u);
    EXPECT_EQ(upper.lineEnds.size(), lower.lineEnds.size());
}

TEST(TextLayout, SlashDashQuoteAndUmlautHaveTheirOwnStrokes) {
    RecordingSink sink;
    emitText(testTable(), "/-\";", ALIGN_LEFT, sink);
    std::vector<Point> expectedLines = {{0.25f, 0.5f}, {0.5f, 1.0f},  {0.0f, 0.0f},  {0.25f, 0.5f},
                                        {0.6f, 0.5f},  {0.85f, 0.5f}, {0.85f, 0.5f}, {1.1f, 0.5f},
                                        {1.8f, 1.0f},  {2.3f, 1.0f}};
    ASSERT_EQ(sink.lineEnds.size(), expectedLines.size());
    for (size_t i = 0; i < expectedLines.size(); ++i) {
        EXPECT_FLOAT_EQ(sink.lineEnds[i].x, expectedLines[i].x) << i;
        EXPECT_FLOAT_EQ(sink.lineEnds[i].y, expectedLines[i].y) << i;
    }
    std::vector<Point> expectedPoints = {{1.3f, 0.8f}, {1.6f, 0.8f}, {1.95f, 1.2f}, {2.15f, 1.2f}};
    ASSERT_EQ(sink.points.size(), expectedPoints.size());
    for (size_t i = 0; i < expectedPoints.size(); ++i) {
        EXPECT_FLOAT_EQ(sink.points[i].x, expectedPoints[i].x) << i;
        EXPECT_FLOAT_EQ(sink.points[i].y, expectedPoints[i].y) << i;
    }
    EXPECT_EQ(sink.calls, "LEPELEPELE");
}

TEST(TextLayout, AnExtentCountsTheAlignedBytesButEndsAtTheLastStroke) {
    // Five bytes, four glyphs: the full stop shifts the alignment but draws nothing wide.
    TextExtent left = measureText("12.50", ALIGN_LEFT);
    EXPECT_FLOAT_EQ(left.left, 0.0f);
    EXPECT_FLOAT_EQ(left.right, 2.3f);
    TextExtent right = measureText("12.50", ALIGN_RIGHT);
    EXPECT_FLOAT_EQ(right.left, -3.0f);
    EXPECT_FLOAT_EQ(right.right, -0.7f);
    TextExtent centred = measureText("in 12.96", ALIGN_CENTRE);
    EXPECT_FLOAT_EQ(centred.left, -2.4f);
    EXPECT_FLOAT_EQ(centred.right, 1.7f);
    EXPECT_FLOAT_EQ(measureText("", ALIGN_RIGHT).right, 0.0f);

    // That line in the five-unit result panel: shrunk just enough to keep its margin.
    const float scale = fitTextScale("in 12.96", ALIGN_CENTRE, 0.0f, -2.5f, 2.5f);
    EXPECT_FLOAT_EQ(scale, (2.5f - TEXT_MARGIN) / 2.4f);
    EXPECT_FLOAT_EQ(fitTextScale("board", ALIGN_CENTRE, 0.0f, -2.5f, 2.5f), 1.0f);
    // A time of a hundred seconds and more in the three-unit best-times panel.
    const float rows = fitTextScale("123.45", ALIGN_RIGHT, 1.8f, -1.5f, 1.5f);
    EXPECT_LT(rows, 1.0f);
    EXPECT_FLOAT_EQ(1.8f + measureText("123.45", ALIGN_RIGHT).left * rows, -1.5f + TEXT_MARGIN);
}

TEST(TextLayout, AFullStopIsSizedToReadBesideItsGlyphs) {
    EXPECT_EQ(findDotPixels(12.0f), MIN_DOT_PIXELS);
    EXPECT_EQ(findDotPixels(24.0f), 2.0f); // the clock at 640 x 480
    EXPECT_EQ(findDotPixels(38.4f), 4.0f); // the clock at 1024 x 768
    EXPECT_EQ(findDotPixels(57.6f), 6.0f);
}

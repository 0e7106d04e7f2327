#include "render/GlyphTable.h"

#include <gtest/gtest.h>

#include <bitset>
#include <set>
#include <string>

TEST(GlyphTable, CommentLinesAreSkippedWithoutUsingAnEntry) {
    GlyphTable table = parseGlyphs("# segments\n0\n#another comment\n1\n# last");
    EXPECT_EQ(table[0], 0x0001);
    EXPECT_EQ(table[1], 0x0002);
    EXPECT_EQ(table[2], 0);
}

TEST(GlyphTable, AnEmptyLineIsABlankGlyph) {
    GlyphTable table = parseGlyphs("\n9\n");
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[1], 0x0200);
}

TEST(GlyphTable, OnlyThirtySevenGlyphLinesAreRead) {
    std::string file;
    for (int line = 0; line < 40; ++line)
        file += std::to_string(line % 10) + "\n";
    GlyphTable table = parseGlyphs(file);
    EXPECT_EQ(table[0], 1 << 0);
    EXPECT_EQ(table[36], 1 << 6); // the 37th line; lines 38 to 40 change nothing
}

TEST(GlyphTable, ALastLineWithoutLineFeedIsNotStored) {
    GlyphTable table = parseGlyphs("01\n23");
    EXPECT_EQ(table[0], 0x0003);
    EXPECT_EQ(table[1], 0);
}

TEST(GlyphTable, EachCharacterSetsItsBitAndCharactersOutsideTheTableSetNothingHarmful) {
    EXPECT_EQ(parseGlyphs("0123456789abcd\n")[0], 0x3fff);
    EXPECT_EQ(parseGlyphs("ABCD\n")[0], 0x3c00);
    EXPECT_EQ(parseGlyphs("0\r\n")[0], 0x0001);  // a carriage return sets nothing
    EXPECT_EQ(parseGlyphs(" \n")[0], 0x0200);    // a space lands on bit 9
    EXPECT_EQ(parseGlyphs("ef\n")[0], 0xc000);   // bits 14 and 15: kept, never drawn
    EXPECT_EQ(parseGlyphs("ghv\n")[0], 0);       // bits 16 and above are lost
    EXPECT_EQ(parseGlyphs("z\n")[0], 0x0008);    // the bit number counts modulo 32
    EXPECT_EQ(parseGlyphs("!\n")[0], 0x0400);    // below "W" the bit wraps round upwards
    EXPECT_EQ(parseGlyphs("\xe4\n")[0], 0x2000); // bytes above 127 too
    EXPECT_EQ(parseGlyphs(std::string("\0\n", 2))[0], 0x0200);
}

TEST(GlyphTable, AMissingFileLeavesTheTableAndSaysSo) {
    GlyphTable table{};
    table[3] = 0x0042;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(loadGlyphs(table, "/nonexistent/alpha.lcd"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Couldn't open lcd definition file /nonexistent/alpha.lcd\n");
    EXPECT_EQ(table[3], 0x0042);
}

TEST(GlyphTable, TheShippedFontGivesEveryLetterAndDigitItsOwnVisibleGlyph) {
    GlyphTable table{};
    ASSERT_TRUE(loadGlyphs(table, TIRVA_DATA_DIR "/alpha.lcd"));
    std::set<std::uint16_t> distinct;
    for (int entry = 0; entry < 36; ++entry) {
        EXPECT_NE(table[entry], 0) << entry;
        EXPECT_EQ(table[entry] & 0xc000, 0) << entry;
        distinct.insert(table[entry]);
    }
    EXPECT_EQ(distinct.size(), 36u);
}

// Pairs a player meets side by side ("single boards", "10 diamonds", a clock reading 02.50):
// a letter and a digit must differ by more than one stroke, so that neither reads as the
// other where the text is small and a thin stroke may be lost. D is O with a crossed stem.
TEST(GlyphTable, TheShippedFontDrawsLookalikeLettersAndDigitsApart) {
    GlyphTable table{};
    ASSERT_TRUE(loadGlyphs(table, TIRVA_DATA_DIR "/alpha.lcd"));
    auto glyphOf = [&table](char ch) {
        return ch >= '0' && ch <= '9' ? table[ch - '0' + FIRST_DIGIT_GLYPH] : table[ch - 'a'];
    };
    struct Lookalikes {
        char first, second;
        std::size_t strokesApart;
    };
    const Lookalikes pairs[] = {{'b', '8', 2}, {'b', '6', 2}, {'d', '0', 2},
                                {'s', '5', 2}, {'z', '2', 2}, {'i', '1', 2},
                                {'o', '0', 2}, {'d', 'o', 1}, {'b', 'd', 1}};
    for (const Lookalikes& pair : pairs) {
        const unsigned differing = glyphOf(pair.first) ^ glyphOf(pair.second);
        EXPECT_GE(std::bitset<16>(differing).count(), pair.strokesApart)
            << pair.first << " against " << pair.second;
    }
}

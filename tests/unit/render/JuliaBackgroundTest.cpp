#include "render/JuliaBackground.h"

#include <gtest/gtest.h>

namespace {

// The definition, one pixel at a time: what every faster kernel has to reproduce.
std::vector<std::uint16_t> countEscapesPlainly(JuliaConstant c) {
    std::vector<std::uint16_t> counts;
    float y = -1.2f;
    for (int row = 0; row < 512; ++row) {
        float x = -1.3333334f;
        for (int column = 0; column < 512; ++column) {
            double zr = x, zi = y;
            int n = 0;
            while (zr * zr + zi * zi < 4) {
                ++n;
                double nextRe = zr * zr - zi * zi + c.re;
                zi = 2 * zr * zi + c.im;
                zr = nextRe;
                if (n > 999)
                    break;
            }
            counts.push_back(static_cast<std::uint16_t>(n));
            x += 0.0052083335f;
        }
        y += 0.0046875f;
    }
    return counts;
}

} // namespace

TEST(JuliaBackground, EveryKernelAndThreadCountGivesThePlainLoopsCountsForEveryConstant) {
    for (int index = 0; index < JULIA_CONSTANT_COUNT; ++index) {
        JuliaConstant c = JULIA_CONSTANTS[index];
        std::vector<std::uint16_t> expected = countEscapesPlainly(c);
        EXPECT_EQ(countEscapes(c, 2, EscapeKernel::Fastest), expected) << "constant " << index;
        EXPECT_EQ(countEscapes(c, 3, EscapeKernel::Portable), expected) << "constant " << index;
        EXPECT_EQ(countEscapes(c, 1, EscapeKernel::Portable), expected) << "constant " << index;
    }
}

TEST(JuliaBackground, TheImageIsThePaletteEntryOfEachCountRowZeroFirst) {
    JuliaConstant c = JULIA_CONSTANTS[2];
    std::vector<std::uint16_t> counts = countEscapesPlainly(c);
    std::vector<std::uint8_t> image = generateBackgroundImage(c);
    BackgroundPalette palette = buildBackgroundPalette();
    ASSERT_EQ(image.size(), 512u * 512u * 3u);
    for (size_t i = 0; i < counts.size(); ++i) {
        const PaletteColor& color = palette[counts[i] % 256];
        ASSERT_EQ(image[i * 3], color.red) << i;
        ASSERT_EQ(image[i * 3 + 1], color.green) << i;
        ASSERT_EQ(image[i * 3 + 2], color.blue) << i;
    }
    EXPECT_EQ(backgroundRowValues().front(), -1.2f);
    EXPECT_EQ(backgroundColumnValues().front(), -1.3333334f);
}

TEST(JuliaBackground, PointsInsideTheSetReachTheLimitAndTakePaletteEntry232) {
    // Of the eighteen sets, -0.726 + 0.188i has the most pixels inside.
    std::vector<std::uint16_t> counts = countEscapes(JULIA_CONSTANTS[2], 2, EscapeKernel::Fastest);
    std::vector<std::uint8_t> image = paintBackground(counts);
    PaletteColor inside = buildBackgroundPalette()[232];
    int insideCount = 0;
    for (size_t i = 0; i < counts.size(); ++i) {
        ASSERT_LE(counts[i], 1000);
        if (counts[i] < 1000)
            continue;
        ++insideCount;
        ASSERT_EQ(image[i * 3], inside.red);
        ASSERT_EQ(image[i * 3 + 1], inside.green);
        ASSERT_EQ(image[i * 3 + 2], inside.blue);
    }
    EXPECT_GT(insideCount, 1000);
}

TEST(JuliaBackground, PaletteShadesFromBlackBlueToLightBlue) {
    BackgroundPalette palette = buildBackgroundPalette();
    EXPECT_EQ(palette[0].red, 64);
    EXPECT_EQ(palette[0].blue, 192);
    EXPECT_EQ(palette[32].red, 127); // sin(pi / 2) * 63.9 + 64 = 127.9
    EXPECT_EQ(palette[16].blue, 255);
    EXPECT_EQ(palette[96].red, 0); // sin(3 pi / 2) * 63.9 + 64 = 0.1
    EXPECT_EQ(palette[48].blue, 128);
    for (const PaletteColor& color : palette) {
        EXPECT_EQ(color.red, color.green);
        EXPECT_LE(color.red, 127);
        EXPECT_GE(color.blue, 128);
    }
}

TEST(JuliaBackground, EachDrawPicksItsConstantModulo18) {
    EXPECT_EQ(pickJuliaConstant(0).re, 0.285f);
    EXPECT_EQ(pickJuliaConstant(18 * 1000 + 5).im, 0.84f);
    EXPECT_EQ(pickJuliaConstant(2147483647).re, JULIA_CONSTANTS[2147483647 % 18].re);
}

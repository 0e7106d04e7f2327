#include "render/Textures.h"

#include "tests/unit/base/SeededRandom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>

namespace {

// A source with a generator of its own, so every call starts a fresh sequence.
RandomSource seededRand(unsigned seed) {
    return [random = SeededRandom(seed)]() mutable { return random.draw(); };
}

using PixelValue = std::function<double(int, int)>;

// Mean absolute step from each column (or row) to the next, over the whole image; the last
// entry is the step from the last column back to the first, which tiling makes visible.
std::vector<double> meanSteps(const PixelValue& value, bool acrossColumns) {
    std::vector<double> steps;
    for (int before = 0; before < BOARD_TEXTURE_SIZE; ++before) {
        int after = (before + 1) % BOARD_TEXTURE_SIZE;
        double sum = 0;
        for (int i = 0; i < BOARD_TEXTURE_SIZE; ++i)
            sum += acrossColumns ? std::fabs(value(after, i) - value(before, i))
                                 : std::fabs(value(i, after) - value(i, before));
        steps.push_back(sum / BOARD_TEXTURE_SIZE);
    }
    return steps;
}

// How much rougher the wrap from the last line to the first is than the roughest line
// inside the image.
double seamRatio(const PixelValue& value, bool acrossColumns) {
    std::vector<double> steps = meanSteps(value, acrossColumns);
    double seam = steps.back();
    steps.pop_back();
    return seam / *std::max_element(steps.begin(), steps.end());
}

} // namespace

TEST(Textures, TheSameSeedGivesTheSameImagesAndAnotherSeedOthers) {
    BoardImages first = generateBoardImages(seededRand(7));
    BoardImages again = generateBoardImages(seededRand(7));
    BoardImages other = generateBoardImages(seededRand(8));
    ASSERT_EQ(first.floor.size(), 128u * 128u);
    ASSERT_EQ(first.wall.size(), 128u * 128u);
    EXPECT_EQ(first.floor, again.floor);
    EXPECT_EQ(first.wall, again.wall);
    EXPECT_NE(first.floor, other.floor);
    EXPECT_NE(first.wall, other.wall);
}

TEST(Textures, NoiseKeepsOnlyFifteenBitsOfEachDrawSoValuesStayWithinZeroAndOne) {
    int draws[] = {0, 32767, 32768, INT_MAX, 65535, 12345};
    int next = 0;
    ValueNoise noise(3, 2, [&] { return draws[next++]; });
    EXPECT_EQ(next, 6);
    EXPECT_EQ(noise.valueAt(0, 0), 0.0f);
    EXPECT_EQ(noise.valueAt(1, 0), 1.0f);
    EXPECT_EQ(noise.valueAt(2, 0), 0.0f); // 32768 keeps no low bits
    EXPECT_EQ(noise.valueAt(0, 1), 1.0f); // 2^31 - 1 keeps all fifteen
    EXPECT_EQ(noise.valueAt(1, 1), 1.0f);
    EXPECT_FLOAT_EQ(noise.valueAt(2, 1), 12345 / 32767.0f);
}

TEST(Textures, TurbulenceBelowSizeOneIsZero) {
    ValueNoise noise(128, 128, [] { return 20000; });
    EXPECT_EQ(turbulence(noise, 5, 7, 0.99), 0.0);
    EXPECT_EQ(turbulence(noise, 5, 7, 0), 0.0);
    EXPECT_EQ(turbulenceWrapped(noise, 5, 7, 0), 0.0);
    EXPECT_EQ(turbulenceWrapped(noise, 5, 7, -4), 0.0);
    // A flat grid sums to (2 * size - 1) / size times the value.
    EXPECT_NEAR(turbulence(noise, 5, 7, 16), 31.0 / 16 * 20000 / 32767, 1e-6);
    EXPECT_NEAR(turbulenceWrapped(noise, 127, 127, 32), 63.0 / 32 * 20000 / 32767, 1e-6);
}

TEST(Textures, WallPixelsNeverLeaveTheGrainRange) {
    for (unsigned seed : {1u, 2u, 3u}) {
        BoardImages images = generateBoardImages(seededRand(seed));
        for (std::uint8_t pixel : images.wall) {
            EXPECT_GE(pixel, 128);
            EXPECT_LE(pixel, 192);
        }
    }
}

TEST(Textures, FloorPixelsWrapToDarkOnlyWhereTheTurbulenceReachesItsTop) {
    ValueNoise noise(128, 128, seededRand(11));
    LuminanceImage floor = generateFloorImage(noise);
    for (int r = 0; r < BOARD_TEXTURE_SIZE; ++r)
        for (int c = 0; c < BOARD_TEXTURE_SIZE; ++c) {
            bool wrapped = floor[r * BOARD_TEXTURE_SIZE + c] < 64;
            EXPECT_EQ(wrapped, turbulenceWrapped(noise, c, r, 32) >= 1.92) << c << "," << r;
        }
}

TEST(Textures, WrappedTurbulenceRepeatsEvery128Pixels) {
    ValueNoise noise(128, 128, seededRand(5));
    for (int r = 0; r < BOARD_TEXTURE_SIZE; r += 9)
        for (int c = 0; c < BOARD_TEXTURE_SIZE; c += 7) {
            double value = turbulenceWrapped(noise, c, r, 32);
            EXPECT_EQ(turbulenceWrapped(noise, c + 128, r, 32), value);
            EXPECT_EQ(turbulenceWrapped(noise, c, r - 128, 32), value);
        }
}

TEST(Textures, FloorTilesWithoutASeam) {
    for (unsigned seed : {21u, 22u, 23u}) {
        ValueNoise noise(128, 128, seededRand(seed));
        LuminanceImage floor = generateFloorImage(noise);
        PixelValue wrapped = [&](int c, int r) { return turbulenceWrapped(noise, c, r, 32); };
        PixelValue pixel = [&](int c, int r) {
            return static_cast<double>(floor[r * BOARD_TEXTURE_SIZE + c]);
        };
        PixelValue clamped = [&](int c, int r) { return turbulence(noise, c, r, 32); };
        for (bool acrossColumns : {true, false}) {
            EXPECT_LT(seamRatio(wrapped, acrossColumns), 1.5) << seed;
            EXPECT_LT(seamRatio(pixel, acrossColumns), 1.5) << seed;
            // The measure does see the seam of the clamped sum, which does not tile.
            EXPECT_GT(seamRatio(clamped, acrossColumns), 4.0) << seed;
        }
    }
}

#include "render/Textures.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int RANDOM_BITS_MASK = 32767; // the 15 bits every C library's rand() provides
constexpr int FLOOR_BASE_SIZE = 32;     // coarsest octave of the floor, in pixels
constexpr int WALL_BASE_SIZE = 16;      // coarsest octave of the wall grain, in pixels
constexpr double PI = 3.14159265358979323846;
constexpr double WALL_BAND_PHASE = PI * 0.0625; // 16 rows per half period of the grain

struct Corners {
    int x0, y0, x1, y1;
    double fx, fy;
};

double blend(const ValueNoise& noise, const Corners& at) {
    return at.fx * at.fy * noise.valueAt(at.x1, at.y1) +
           at.fx * (1 - at.fy) * noise.valueAt(at.x1, at.y0) +
           at.fy * (1 - at.fx) * noise.valueAt(at.x0, at.y1) +
           (1 - at.fx) * (1 - at.fy) * noise.valueAt(at.x0, at.y0);
}

double sampleClamped(const ValueNoise& noise, double x, double y, double size) {
    double gx = x / size;
    double gy = y / size;
    int ix = std::clamp(static_cast<int>(gx), 0, noise.columns() - 1);
    int iy = std::clamp(static_cast<int>(gy), 0, noise.rows() - 1);
    Corners at{ix,
               iy,
               std::min(ix + 1, noise.columns() - 1),
               std::min(iy + 1, noise.rows() - 1),
               gx - static_cast<int>(gx),
               gy - static_cast<int>(gy)};
    return blend(noise, at);
}

int positiveModulo(int value, int divisor) {
    int rest = value % divisor;
    return rest < 0 ? rest + divisor : rest;
}

// An octave of cell size s covers the image with ceil(128 / s) cells per axis; the cell after
// the last one is cell 0 again, so the image's last pixels blend towards its first ones.
double sampleWrapped(const ValueNoise& noise, int x, int y, int size) {
    int cellsX = std::min((BOARD_TEXTURE_SIZE + size - 1) / size, noise.columns());
    int cellsY = std::min((BOARD_TEXTURE_SIZE + size - 1) / size, noise.rows());
    int px = positiveModulo(x, BOARD_TEXTURE_SIZE);
    int py = positiveModulo(y, BOARD_TEXTURE_SIZE);
    int ix = (px / size) % cellsX;
    int iy = (py / size) % cellsY;
    Corners at{ix,
               iy,
               ix + 1 < cellsX ? ix + 1 : 0,
               iy + 1 < cellsY ? iy + 1 : 0,
               static_cast<double>(px % size) / size,
               static_cast<double>(py % size) / size};
    return blend(noise, at);
}

} // namespace

ValueNoise::ValueNoise(int columns, int rows, const RandomSource& random)
    : columns_(columns), rows_(rows), values_(static_cast<size_t>(columns) * rows) {
    // Only the low 15 bits: rand() may reach far beyond 32767, and the grain and the floor
    // are tuned for values in [0, 1].
    for (float& value : values_)
        value = static_cast<float>((random() % (RANDOM_BITS_MASK + 1)) /
                                   static_cast<double>(RANDOM_BITS_MASK));
}

double turbulence(const ValueNoise& noise, double x, double y, double size) {
    if (size < 1)
        return 0;
    double sum = 0;
    for (double s = size; s >= 1; s /= 2)
        sum += s * sampleClamped(noise, x, y, s);
    return sum / size;
}

double turbulenceWrapped(const ValueNoise& noise, int x, int y, int size) {
    if (size < 1)
        return 0;
    double sum = 0;
    for (int s = size; s >= 1; s /= 2)
        sum += s * sampleWrapped(noise, x, y, s);
    return sum / size;
}

LuminanceImage generateFloorImage(const ValueNoise& noise) {
    LuminanceImage pixels(BOARD_TEXTURE_SIZE * BOARD_TEXTURE_SIZE);
    for (int r = 0; r < BOARD_TEXTURE_SIZE; ++r)
        for (int c = 0; c < BOARD_TEXTURE_SIZE; ++c) {
            double v = turbulenceWrapped(noise, c, r, FLOOR_BASE_SIZE);
            // Only the low byte is kept: the rare darkest spots wrap round to black.
            pixels[r * BOARD_TEXTURE_SIZE + c] =
                static_cast<std::uint8_t>(static_cast<int>(v * 100) + 64);
        }
    return pixels;
}

LuminanceImage generateWallImage(const ValueNoise& noise) {
    LuminanceImage pixels(BOARD_TEXTURE_SIZE * BOARD_TEXTURE_SIZE);
    for (int r = 0; r < BOARD_TEXTURE_SIZE; ++r) {
        double phase = r * WALL_BAND_PHASE;
        for (int c = 0; c < BOARD_TEXTURE_SIZE; ++c) {
            // Bands across the rows, bent by the turbulence: the wood grain.
            float a = static_cast<float>(turbulence(noise, c, r, WALL_BASE_SIZE) + phase);
            pixels[r * BOARD_TEXTURE_SIZE + c] =
                static_cast<std::uint8_t>(std::fabs(std::sin(a)) * 64 + 128);
        }
    }
    return pixels;
}

BoardImages generateBoardImages(const RandomSource& random) {
    ValueNoise noise(BOARD_TEXTURE_SIZE, BOARD_TEXTURE_SIZE, random);
    return {generateFloorImage(noise), generateWallImage(noise)};
}

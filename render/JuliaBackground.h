#pragma once
// The pixels of the menu background: a Julia set, picked at random from eighteen constants,
// in a blue palette. Pure data; MenuBackground uploads the image.

#include <array>
#include <cstdint>
#include <vector>

struct JuliaConstant {
    float re;
    float im;
};

constexpr int JULIA_CONSTANT_COUNT = 18;
constexpr JuliaConstant JULIA_CONSTANTS[JULIA_CONSTANT_COUNT] = {
    {0.285f, 0.01f}, {0.352f, 0.64f},   {-0.726f, 0.188f},   {-0.835f, -0.2321f}, {0.41f, 0.41f},
    {-0.1f, 0.84f},  {0.335f, 0.0435f}, {-0.0002f, 0.7383f}, {0.365f, 0.39f},     {0.359f, 0.359f},
    {0.4f, -0.25f},  {-0.095f, 0.95f},  {-1.0f, 0.31f},      {-0.6f, 0.5f},       {-0.6f, 0.45f},
    {0.39f, -0.2f},  {-0.76f, 0.19f},   {-0.74f, 0.155f},
};

constexpr int BACKGROUND_SIZE = 512;   // pixels along each side of the background
constexpr int ESCAPE_LIMIT = 1000;     // iterations after which a point counts as inside the set
constexpr int BACKGROUND_CHANNELS = 3; // red, green, blue bytes per pixel

struct PaletteColor {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};
using BackgroundPalette = std::array<PaletteColor, 256>;

// Which of the eighteen constants one draw of the random generator picks.
JuliaConstant pickJuliaConstant(int randomDraw);
BackgroundPalette buildBackgroundPalette();

// The complex plane under the pixels: column values (x) and row values (y), each a
// single-precision running sum exactly as the image is defined.
std::vector<float> backgroundColumnValues();
std::vector<float> backgroundRowValues();

// Which inner loop computes the escape counts. All of them give the same counts; the wide
// one is used when the processor has it.
enum class EscapeKernel { Fastest, Portable };

// The escape count (0 ... ESCAPE_LIMIT) of every pixel, row 0 first, with the rows spread
// over threadCount threads.
std::vector<std::uint16_t> countEscapes(JuliaConstant c, int threadCount, EscapeKernel kernel);

// BACKGROUND_SIZE squared pixels of BACKGROUND_CHANNELS bytes, row 0 (y = -1.2) first: the
// palette entry of each escape count modulo 256.
std::vector<std::uint8_t> paintBackground(const std::vector<std::uint16_t>& counts);

// The whole image for c, on every core with the fastest kernel.
std::vector<std::uint8_t> generateBackgroundImage(JuliaConstant c);

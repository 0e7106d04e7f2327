#pragma once
// The pixels of the two board textures: a wood grain for the walls and a mottled floor, both
// made from one grid of random values summed over several scales. Pure data; the renderer
// uploads the images.

#include "base/RandomSource.h"

#include <cstdint>
#include <vector>

constexpr int BOARD_TEXTURE_SIZE = 128; // pixels along each side of both board images

// A grid of random values in [0, 1], row after row: value (c, r) is at r * columns + c.
class ValueNoise {
public:
    // Draws one value per cell in index order.
    ValueNoise(int columns, int rows, const RandomSource& random);

    int columns() const { return columns_; }
    int rows() const { return rows_; }
    float valueAt(int column, int row) const { return values_[row * columns_ + column]; }

private:
    int columns_;
    int rows_;
    std::vector<float> values_;
};

// Sum of bilinear samples over the octaves size, size/2, ... 1, divided by size; a neighbour
// beyond the grid is clamped to its last column or row. 0 when size < 1.
double turbulence(const ValueNoise& noise, double x, double y, double size);
// The same sum for integer pixel coordinates, with each octave wrapping round the square of
// BOARD_TEXTURE_SIZE pixels, so an image made of it tiles without a seam. 0 when size < 1.
double turbulenceWrapped(const ValueNoise& noise, int x, int y, int size);

// BOARD_TEXTURE_SIZE squared luminance bytes, row 0 first.
using LuminanceImage = std::vector<std::uint8_t>;

LuminanceImage generateFloorImage(const ValueNoise& noise);
LuminanceImage generateWallImage(const ValueNoise& noise);

struct BoardImages {
    LuminanceImage floor;
    LuminanceImage wall;
};

// Draws one fresh noise grid from random and makes both images from it.
BoardImages generateBoardImages(const RandomSource& random);

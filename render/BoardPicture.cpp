#include "render/BoardPicture.h"

#include "game/Board.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int SAMPLES = 4; // per side of a texel
constexpr int SAMPLES_PER_TEXEL = SAMPLES * SAMPLES;
constexpr float DIAGONAL_BAND = 0.14142136f; // |u - v| inside a diagonal wall's top
constexpr int MOST_TEXELS_PER_CELL = 8;
// Rows of texels narrower than this are padded to it in memory by the software renderer.
constexpr int NARROWEST_ROW_TEXELS = 16;

// What can cover a point of a cell, seen from above: the walls along its four edges (its own
// or its neighbours', or a border), its two diagonals, and a hole in its middle.
constexpr unsigned BELOW_EDGE = 1;
constexpr unsigned ABOVE_EDGE = 2;
constexpr unsigned RIGHT_EDGE = 4;
constexpr unsigned LEFT_EDGE = 8;
constexpr unsigned DOWN_DIAGONAL = 16;
constexpr unsigned UP_DIAGONAL = 32;
constexpr unsigned WALL_MASKS = 64;

// How the samples of each texel of a cell fall, for every set of walls the cell may have.
struct TexelTables {
    int texelsPerCell;
    std::vector<std::uint8_t> wallSamples; // [texel * WALL_MASKS + walls]
    std::vector<std::uint8_t> holeSamples; // in the hole and under none of the walls
    std::vector<float> floorShade;         // the floor image's average over the texel, 0 to 1
    std::vector<float> wallShade;          // the wall image's, along and across the grain
};

int powerOfTwoAtLeast(int value) {
    int power = 1;
    while (power < value)
        power *= 2;
    return power;
}

unsigned featuresAt(float u, float v) {
    const float h = WALL_HALF_THICKNESS;
    unsigned features = 0;
    features |= v >= 1 - h ? BELOW_EDGE : 0u;
    features |= v <= h ? ABOVE_EDGE : 0u;
    features |= u >= 1 - h ? RIGHT_EDGE : 0u;
    features |= u <= h ? LEFT_EDGE : 0u;
    features |= std::fabs(u - v) <= DIAGONAL_BAND ? DOWN_DIAGONAL : 0u;
    features |= std::fabs(u + v - 1) <= DIAGONAL_BAND ? UP_DIAGONAL : 0u;
    return features;
}

bool inHole(float u, float v) {
    return (u - 0.5f) * (u - 0.5f) + (v - 0.5f) * (v - 0.5f) <= HOLE_RADIUS * HOLE_RADIUS;
}

// The average of image over the texel (i, j) of a cell, the image repeating once per cell.
float averageOver(const LuminanceImage& image, int texelsPerCell, int i, int j, bool across) {
    const int span = BOARD_TEXTURE_SIZE / texelsPerCell;
    long sum = 0;
    for (int y = j * span; y < (j + 1) * span; ++y)
        for (int x = i * span; x < (i + 1) * span; ++x)
            sum += across ? image[x * BOARD_TEXTURE_SIZE + y] : image[y * BOARD_TEXTURE_SIZE + x];
    return static_cast<float>(sum) / (span * span * 255.0f);
}

TexelTables makeTables(int texelsPerCell, const LuminanceImage& floorImage,
                       const LuminanceImage& wallImage) {
    const int texels = texelsPerCell * texelsPerCell;
    TexelTables tables{texelsPerCell,
                       std::vector<std::uint8_t>(texels * WALL_MASKS),
                       std::vector<std::uint8_t>(texels * WALL_MASKS),
                       {},
                       {}};
    for (int j = 0; j < texelsPerCell; ++j)
        for (int i = 0; i < texelsPerCell; ++i) {
            const int texel = j * texelsPerCell + i;
            for (int k = 0; k < SAMPLES_PER_TEXEL; ++k) {
                float u = (i + (k % SAMPLES + 0.5f) / SAMPLES) / texelsPerCell;
                float v = (j + (k / SAMPLES + 0.5f) / SAMPLES) / texelsPerCell;
                const unsigned features = featuresAt(u, v);
                const bool hole = inHole(u, v);
                for (unsigned walls = 0; walls < WALL_MASKS; ++walls) {
                    bool underWall = (features & walls) != 0;
                    tables.wallSamples[texel * WALL_MASKS + walls] += underWall;
                    tables.holeSamples[texel * WALL_MASKS + walls] += !underWall && hole;
                }
            }
            tables.floorShade.push_back(averageOver(floorImage, texelsPerCell, i, j, false));
            // Row walls lay the grain along x, column walls along z: a texel sees either.
            tables.wallShade.push_back((averageOver(wallImage, texelsPerCell, i, j, false) +
                                        averageOver(wallImage, texelsPerCell, i, j, true)) /
                                       2);
        }
    return tables;
}

// The walls that stand on a cell's area: its own, its neighbours' along shared edges, and
// the borders along the board's edges.
unsigned wallsOver(const Board& board, int c, int r) {
    auto bits = [&](int column, int row) {
        return board.walls[static_cast<std::size_t>(row) * board.width + column];
    };
    const std::uint8_t own = bits(c, r);
    unsigned walls = 0;
    walls |= (own & WALL_NEXT_ROW) || r == board.height - 1 ? BELOW_EDGE : 0u;
    walls |= r == 0 || (bits(c, r - 1) & WALL_NEXT_ROW) ? ABOVE_EDGE : 0u;
    walls |= (own & WALL_NEXT_COLUMN) || c == board.width - 1 ? RIGHT_EDGE : 0u;
    walls |= c == 0 || (bits(c - 1, r) & WALL_NEXT_COLUMN) ? LEFT_EDGE : 0u;
    walls |= (own & WALL_DIAGONAL_DOWN) ? DOWN_DIAGONAL : 0u;
    walls |= (own & WALL_DIAGONAL_UP) ? UP_DIAGONAL : 0u;
    return walls;
}

std::uint8_t toByte(float value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

// What shows where the board has no floor: the clear colour, unlit, in the lit picture.
void paintClear(std::uint8_t* texel) {
    texel[0] = toByte(CLEAR_COLOUR.r / LEVEL_FLOOR_LIGHT);
    texel[1] = toByte(CLEAR_COLOUR.g / LEVEL_FLOOR_LIGHT);
    texel[2] = toByte(CLEAR_COLOUR.b / LEVEL_FLOOR_LIGHT);
}

void paintCell(const Board& board, const TexelTables& tables, int c, int r, std::uint8_t* corner,
               int rowBytes) {
    const int n = tables.texelsPerCell;
    const std::int32_t kind = board.kinds[static_cast<std::size_t>(r) * board.width + c];
    const unsigned walls = wallsOver(board, c, r);
    const bool hasHole = kind == KIND_GOAL || kind == KIND_TRAP;
    const float goal = kind == KIND_GOAL ? GOAL_DISC_COLOUR.a / LEVEL_FLOOR_LIGHT : 0.0f;
    // A trap hole opens onto the clear colour; a goal hole shows it through its disc.
    const float open = (kind == KIND_GOAL ? 1.0f - GOAL_DISC_COLOUR.a : 1.0f) / LEVEL_FLOOR_LIGHT;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            std::uint8_t* texel = corner + j * rowBytes + i * 3;
            if (kind == KIND_GAP) {
                paintClear(texel);
                continue;
            }
            const int t = j * n + i;
            const float wall = tables.wallSamples[t * WALL_MASKS + walls] * tables.wallShade[t] /
                               SAMPLES_PER_TEXEL;
            const int holeCount = hasHole ? tables.holeSamples[t * WALL_MASKS + walls] : 0;
            const int floorCount =
                SAMPLES_PER_TEXEL - tables.wallSamples[t * WALL_MASKS + walls] - holeCount;
            const float floor = floorCount * tables.floorShade[t] / SAMPLES_PER_TEXEL;
            const float disc = holeCount * goal / SAMPLES_PER_TEXEL;
            const float through = holeCount * open / SAMPLES_PER_TEXEL;
            texel[0] = toByte(wall * WALL_COLOUR.r + floor * FLOOR_COLOUR.r +
                              disc * GOAL_DISC_COLOUR.r + through * CLEAR_COLOUR.r);
            texel[1] = toByte(wall * WALL_COLOUR.g + floor * FLOOR_COLOUR.g +
                              disc * GOAL_DISC_COLOUR.g + through * CLEAR_COLOUR.g);
            texel[2] = toByte(wall * WALL_COLOUR.b + floor * FLOOR_COLOUR.b +
                              disc * GOAL_DISC_COLOUR.b + through * CLEAR_COLOUR.b);
        }
}

// Each texel of the next level averages the two by two (or fewer, at a side of 1) below it.
PictureLevel halve(const PictureLevel& level) {
    PictureLevel next{std::max(1, level.width / 2), std::max(1, level.height / 2), {}};
    next.rgb.resize(static_cast<std::size_t>(next.width) * next.height * 3);
    const int dx = level.width > 1 ? 1 : 0, dy = level.height > 1 ? 1 : 0;
    for (int y = 0; y < next.height; ++y)
        for (int x = 0; x < next.width; ++x)
            for (int channel = 0; channel < 3; ++channel) {
                auto at = [&](int sx, int sy) {
                    return level
                        .rgb[(static_cast<std::size_t>(sy) * level.width + sx) * 3 + channel];
                };
                const int x0 = x * (1 + dx), y0 = y * (1 + dy);
                int sum = at(x0, y0) + at(x0 + dx, y0) + at(x0, y0 + dy) + at(x0 + dx, y0 + dy);
                next.rgb[(static_cast<std::size_t>(y) * next.width + x) * 3 + channel] =
                    static_cast<std::uint8_t>((sum + 2) / 4);
            }
    return next;
}

PictureLevel transpose(const PictureLevel& level) {
    PictureLevel turned{level.height, level.width, std::vector<std::uint8_t>(level.rgb.size())};
    for (int y = 0; y < level.height; ++y)
        for (int x = 0; x < level.width; ++x)
            for (int channel = 0; channel < 3; ++channel)
                turned.rgb[(static_cast<std::size_t>(x) * turned.width + y) * 3 + channel] =
                    level.rgb[(static_cast<std::size_t>(y) * level.width + x) * 3 + channel];
    return turned;
}

} // namespace

CellRange PictureLayout::cellsOf(int index) const {
    const int column = index % pageColumns, row = index / pageColumns;
    return {column * pageWidth, row * pageHeight, std::min(boardWidth, (column + 1) * pageWidth),
            std::min(boardHeight, (row + 1) * pageHeight)};
}

PictureLayout planPicture(int boardWidth, int boardHeight, int longestTexels) {
    const std::int64_t cells = std::max<std::int64_t>(1, std::int64_t{boardWidth} * boardHeight);
    int texelsPerCell = MOST_TEXELS_PER_CELL;
    while (texelsPerCell > 2 && cells * texelsPerCell * texelsPerCell > PICTURE_TEXEL_BUDGET)
        texelsPerCell /= 2;
    // Square pages of the largest texture every OpenGL takes: few textures, each bound once a
    // frame. A corridor a few cells wide gets long narrow pages, which the painter lays out
    // along the texture's rows.
    const int side = PICTURE_PAGE_TEXELS / texelsPerCell;
    const int longest = std::max(PICTURE_PAGE_TEXELS, longestTexels) / texelsPerCell;
    // The pages along a board whose other side fits one page, in cells: powers of two, and
    // so whole tiles.
    auto stretch = [&](int across) {
        const int acrossTexels = powerOfTwoAtLeast(across * texelsPerCell);
        const int squareTexels = PICTURE_PAGE_TEXELS / acrossTexels * PICTURE_PAGE_TEXELS;
        return std::min(longest, squareTexels / texelsPerCell);
    };
    int pageWidth = side;
    int pageHeight = side;
    if (boardHeight <= side && boardWidth > side)
        pageWidth = stretch(boardHeight);
    else if (boardWidth <= side && boardHeight > side)
        pageHeight = stretch(boardWidth);
    auto pagesAlong = [](int side, int page) { return (side + page - 1) / page; };
    return {texelsPerCell,
            pageWidth,
            pageHeight,
            pagesAlong(boardWidth, pageWidth),
            pagesAlong(boardHeight, pageHeight),
            boardWidth,
            boardHeight};
}

PicturePage paintPicturePage(const Board& board, const PictureLayout& layout, int index,
                             const LuminanceImage& floorImage, const LuminanceImage& wallImage) {
    const int n = layout.texelsPerCell;
    const TexelTables tables = makeTables(n, floorImage, wallImage);
    PicturePage page{layout.cellsOf(index), {}, false};
    const CellRange& cells = page.cells;
    PictureLevel level{powerOfTwoAtLeast((cells.column1 - cells.column0) * n),
                       powerOfTwoAtLeast((cells.row1 - cells.row0) * n),
                       {}};
    level.rgb.resize(static_cast<std::size_t>(level.width) * level.height * 3);
    for (std::size_t texel = 0; texel < level.rgb.size(); texel += 3)
        paintClear(&level.rgb[texel]);
    const int rowBytes = level.width * 3;
    for (int r = cells.row0; r < cells.row1; ++r)
        for (int c = cells.column0; c < cells.column1; ++c)
            paintCell(board, tables, c, r,
                      level.rgb.data() + static_cast<std::size_t>(r - cells.row0) * n * rowBytes +
                          (c - cells.column0) * n * 3,
                      rowBytes);
    page.transposed = level.width < NARROWEST_ROW_TEXELS && level.height > level.width;
    page.levels.push_back(page.transposed ? transpose(level) : std::move(level));
    while (page.levels.back().width > 1 || page.levels.back().height > 1)
        page.levels.push_back(halve(page.levels.back()));
    return page;
}

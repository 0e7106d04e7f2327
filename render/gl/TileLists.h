#pragma once
// The board's display lists, one set per tile of the plan in render/BoardTiling: a tile is
// compiled when it first comes into view and its lists are deleted again once it has been out
// of view longest and too many are kept, so that both the frame and the memory follow what is
// on screen.

#include "render/BoardTiling.h"
#include "render/DepthPlan.h"
#include "render/Textures.h"
#include "render/gl/BoardPictureTexture.h"

#include <cstdint>
#include <vector>

class Board;

// The textures of the board and the images they were made from, which its picture averages.
struct BoardLooks {
    unsigned wallTexture;
    unsigned floorTexture;
    const LuminanceImage& floorImage;
    const LuminanceImage& wallImage;
};

class TileLists {
public:
    // Tiles kept compiled at most, about 200 kB each for a maze; beyond it the ones out of
    // view longest are deleted.
    static constexpr std::size_t MAX_COMPILED_TILES = 512;

    // Starts over with board (or none): every list of the previous board is deleted.
    void reset(const Board* newBoard);
    // Deletes every list; the tiles compile again when next drawn.
    void release();
    // Drops the lists without deleting them, for a context that has lost them.
    void forget();

    // Draws the tiles of the view of setup, pass by pass in the board's order: the walls, the
    // goal discs, the hole cut-outs, the floor, where a tile is drawn from the picture instead
    // of the floor and its walls. Expects: the board placed in model-view, depth test and
    // lighting on. Leaves: the state the floor leaves (useFloorState), the floor colour.
    void draw(const CameraSetup& setup, const DepthPlan& plan, const BoardLooks& looks);

private:
    // The tiles in view, in index order: drawn whole, drawn from the picture, and with their
    // holes cut (those drawn whole and those near the ball).
    struct TilesInView {
        std::vector<int> detailed;
        std::vector<int> pictured;
        std::vector<int> holed;
    };

    struct Tile {
        unsigned lists = 0;       // first of the tile's lists, 0 while not compiled
        std::uint64_t filled = 0; // bit k: list k holds something
        std::uint32_t lastFrame = 0;
    };

    TilesInView prepareTiles(const CameraSetup& setup, const DepthPlan& plan);
    void drawWalls(const TilesInView& sets, const CameraSetup& setup, const DepthPlan& plan,
                   unsigned wallTexture) const;
    void compile(int index);
    void compileOutline();
    void callLists(const std::vector<int>& visible, int list) const;
    void callWallLists(const std::vector<int>& visible, int pass, const BoardPoint& eye) const;
    void drawFloor(const std::vector<int>& detailed) const;
    void deleteLongestUnseen();

    const Board* board = nullptr;
    TileGrid grid{0, 0, 0, 0};
    std::vector<Tile> tiles;
    std::vector<int> compiled; // indices of the tiles that have lists
    unsigned outline = 0;      // the row borders' list, then the column borders'; 0: none yet
    BoardPictureTexture picture;
    std::uint32_t frame = 0;
};

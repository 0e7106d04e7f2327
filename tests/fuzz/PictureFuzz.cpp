// Feeds arbitrary bytes to the reader of board pictures (tirva-tool compose). A refused
// picture leaves no grids and says why; an accepted one is a board the loader takes back
// from its file unchanged, and whose own picture reads back as the same board.

#include "game/Board.h"
#include "game/BoardDrawing.h"
#include "game/BoardText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Board board;
    std::optional<std::string> problem =
        readBoardDrawing(std::string(reinterpret_cast<const char*>(data), size), board);
    if (problem) {
        if (board.hasGrids() || problem->empty())
            std::abort();
        return 0;
    }
    std::size_t start = static_cast<std::size_t>(board.startX) +
                        static_cast<std::size_t>(board.startY) * board.width;
    if (!board.hasGrids() || std::int64_t{board.width} * board.height > BOARD_MAX_CELLS ||
        board.kinds[start] != KIND_START)
        std::abort();
    std::string text = formatBoardText(board);
    Board loaded;
    if (loaded.parse(text) || formatBoardText(loaded) != text)
        std::abort();
    // show writes the limit to the hundredth of a second.
    if (board.timeLimit % 10 != 0)
        return 0;
    for (bool withRulers : {false, true}) {
        Board again;
        if (readBoardDrawing(drawBoard(board, withRulers), again) || formatBoardText(again) != text)
            std::abort();
    }
    return 0;
}

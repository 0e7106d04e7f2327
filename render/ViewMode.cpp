#include "render/ViewMode.h"

#include "game/Board.h"

bool showsWholeBoard(bool topview, const Board& board) {
    return topview && !board.noTopView;
}

float wholeBoardDistance(int boardWidth, int boardHeight, int screenWidth, int screenHeight) {
    float width = static_cast<float>(boardWidth);
    float heightOnScreen = static_cast<float>(boardHeight) * static_cast<float>(screenWidth) /
                           static_cast<float>(screenHeight);
    return heightOnScreen > width ? heightOnScreen : width;
}

#include "menus/gl/MazeScreen.h"

#include "app/gl/Music.h"
#include "app/gl/GamePlay.h"
#include "game/PlayLoop.h"
#include "menus/MazeSetter.h"
#include "menus/gl/MenuLoops.h"
#include "render/gl/MenuDrawing.h"

void runMazeMenu(MazeSetter& menu) {
    menu.selected = 0;
    runItemMenu(menu.items, menu.selected, [&menu] {
        drawMazeMenuFrame(
            collectLabels(menu.items), menu.selected,
            [&menu](std::size_t i, MenuPainter& painter) { menu.items[i].item.draw(painter); });
    });
}

void playGeneratedMaze(Board& board) {
    musicPlayer.startGameMusic();
    {
        PlayEntry entry(board);
        playBoardInGame(entry, false);
    }
    backToMenus();
}

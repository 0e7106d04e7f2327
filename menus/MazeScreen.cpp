#include "menus/MazeScreen.h"

#include "app/Music.h"
#include "game/GamePlay.h"
#include "game/PlayLoop.h"
#include "menus/MazeSetter.h"
#include "menus/MenuLoops.h"
#include "render/MenuDrawing.h"

void runMazeMenu(MazeSetter& menu) {
    menu.selected = 0;
    runItemMenu(menu.items, menu.selected,
                [&menu] { drawMazeMenuFrame(menu.items, menu.selected); });
}

void playGeneratedMaze(Board& board) {
    musicPlayer.startGameMusic();
    {
        PlayEntry entry(board);
        playBoardInGame(entry, false);
    }
    backToMenus();
}

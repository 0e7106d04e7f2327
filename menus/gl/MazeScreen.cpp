#include "menus/gl/MazeScreen.h"

#include "game/PlayLoop.h"
#include "menus/ItemValueLines.h"
#include "menus/MazeSetter.h"
#include "menus/MenuHost.h"
#include "menus/MenuLoops.h"
#include "render/gl/MenuFrames.h"

void runMazeMenu(MazeSetter& menu, MenuHost& host) {
    menu.selected = 0;
    runItemMenu(
        host.inputDevice(), menu.items, menu.selected,
        [&menu] {
            drawMazeMenuFrame(
                layOutItems(menu.items, MAZE_MENU_SHAPE), collectLabels(menu.items), menu.selected,
                [&menu](std::size_t i, MenuPainter& painter) { menu.items[i].item.draw(painter); },
                menu.describeAlgorithm(), menu.describeKeys());
        },
        [&menu](MenuPoint point) {
            return findItemAt(layOutItems(menu.items, MAZE_MENU_SHAPE), point);
        },
        cueMenuSounds(host));
}

void playGeneratedMaze(Board& board, MenuHost& host) {
    host.enterPlay();
    {
        PlayEntry entry(board);
        host.playBoard(entry, false);
    }
    host.leavePlay();
}

#include "menus/gl/MazeScreen.h"

#include "game/PlayLoop.h"
#include "menus/ItemValueLines.h"
#include "menus/MazeSetter.h"
#include "menus/MenuHost.h"
#include "menus/MenuLoops.h"
#include "render/gl/MenuFrames.h"

// The pointer finds the rows where the last frame drew them.
void runMazeMenu(MazeSetter& menu, MenuHost& host) {
    menu.selected = 0;
    ItemMenuLayout shown;
    runItemMenu(
        host.inputDevice(), menu.items, menu.selected,
        [&menu, &shown] {
            shown = layOutItems(menu.items, MAZE_MENU_SHAPE);
            drawMazeMenuFrame(
                shown, collectLabels(menu.items), menu.selected,
                [&menu](std::size_t i, MenuPainter& painter) { menu.items[i].item.draw(painter); },
                menu.describeAlgorithm(), menu.describeKeys());
        },
        [&shown](MenuPoint point) { return findItemAt(shown, point); }, cueMenuSounds(host));
}

void playGeneratedMaze(Board& board, MenuHost& host) {
    host.enterPlay();
    {
        PlayEntry entry(board);
        host.playBoard(entry, false);
    }
    host.leavePlay();
}

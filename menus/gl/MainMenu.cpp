#include "menus/gl/MainMenu.h"

#include "app/gl/Display.h"
#include "menus/gl/BoardListScreens.h"
#include "menus/gl/MazeScreen.h"
#include "menus/gl/MenuLoops.h"
#include "render/gl/MenuBackground.h"
#include "render/gl/MenuDrawing.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* LEVELS_DIRECTORY = "levs";

enum MainLine : std::uint32_t { SINGLE_BOARDS, LEVEL_PACKS, RANDOM_MAZE, OPTIONS, EXIT };

} // namespace

MainMenu::MainMenu(Settings& settings, TiltInput& tiltInput, bool& turnboard, bool& topview)
    : itemTexts{"single boards", "level packs", "random maze", "options", "exit"},
      optionsMenu(takeOptionsSnapshot({settings, tiltInput, turnboard, topview})),
      mazeMenu(playGeneratedMaze, std::rand), optionsTargets{settings, tiltInput, turnboard,
                                                             topview} {
    LevelDirectory levels = scanLevelDirectory(LEVELS_DIRECTORY);
    if (levels.unlistable)
        std::fprintf(stderr, "Warning: couldn't list the board directory %s\n", LEVELS_DIRECTORY);
    boardList = makeBoardList(levels);
    packList = makePackList(levels);
    generateMenuBackground(menuBackground);
    // The background upload leaves texturing to the drawing; every menu starts flat.
    useMenuState();
}

void MainMenu::run() {
    // Only here: coming back from a screen shows the line that led to it.
    selected = 0;
    runListScreen(
        selected, itemTexts.size(), [this] { draw(); },
        [this](std::uint32_t index) { return activateMainItem(index); });
}

void MainMenu::draw() {
    drawMainMenuFrame(itemTexts, selected);
}

bool MainMenu::activateMainItem(std::uint32_t index) {
    switch (index) {
    case SINGLE_BOARDS:
        runBoardList(boardList);
        return true;
    case LEVEL_PACKS:
        runPackList(packList);
        return true;
    case RANDOM_MAZE:
        runMazeMenu(mazeMenu);
        return true;
    case OPTIONS:
        runOptionsMenu(optionsMenu, optionsTargets);
        return true;
    default:
        return false;
    }
}

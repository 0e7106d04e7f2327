#include "menus/gl/MainMenu.h"

#include "menus/MenuHost.h"
#include "menus/MenuKeyLines.h"
#include "menus/MenuLoops.h"
#include "menus/gl/BoardListScreens.h"
#include "menus/gl/MazeScreen.h"
#include "menus/gl/OptionsScreen.h"
#include "render/gl/MenuBackground.h"
#include "render/gl/MenuFrames.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* LEVELS_DIRECTORY = "levs";

enum MainLine : std::uint32_t { SINGLE_BOARDS, LEVEL_PACKS, RANDOM_MAZE, OPTIONS, EXIT };

} // namespace

MainMenu::MainMenu(MenuHost& host)
    : itemTexts{"single boards", "level packs", "random maze", "options", "exit"},
      optionsMenu(host.takeOptionsSnapshot()),
      mazeMenu([&host](Board& board) { playGeneratedMaze(board, host); }, std::rand), host(host) {
    LevelDirectory levels = scanLevelDirectory(LEVELS_DIRECTORY);
    if (levels.unlistable)
        std::fprintf(stderr, "Warning: couldn't list the board directory %s\n", LEVELS_DIRECTORY);
    boardList = makeBoardList(levels);
    packList = makePackList(levels);
    generateMenuBackground(menuBackground);
}

void MainMenu::run() {
    // Only here: coming back from a screen shows the line that led to it.
    selected = 0;
    runListScreen(
        host.inputDevice(), selected, itemTexts.size(), [this] { draw(); },
        [this](std::uint32_t index) { return activateMainItem(index); },
        [this](MenuPoint point) {
            std::vector<MenuLine> lines;
            for (std::size_t i = 0; i < itemTexts.size(); ++i)
                lines.push_back(placeMainMenuLine(i));
            return findLineAt(lines, 0, point);
        },
        cueMenuSounds(host));
}

void MainMenu::draw() {
    drawMainMenuFrame(itemTexts, selected, describeMainMenuKeys());
}

bool MainMenu::activateMainItem(std::uint32_t index) {
    switch (index) {
    case SINGLE_BOARDS:
        runBoardList(boardList, host);
        return true;
    case LEVEL_PACKS:
        runPackList(packList, host);
        return true;
    case RANDOM_MAZE:
        runMazeMenu(mazeMenu, host);
        return true;
    case OPTIONS:
        runOptionsMenu(optionsMenu, host);
        return true;
    default:
        return false;
    }
}

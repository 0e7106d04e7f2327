#pragma once
// The first screen and the hub of the game: five lines under the title and the ball, each
// leading to a screen that returns here, and "exit". It owns every other menu; all of them
// keep their values for the whole run.

#include "menus/LevelLists.h"
#include "menus/MazeSetter.h"
#include "menus/OptionsMenu.h"

#include <cstdint>
#include <string>
#include <vector>

class MenuHost;

class MainMenu {
public:
    // Needs the display, the font and everything the host reaches: built last at start-up.
    // Scans "levs" and makes the menu background. Keeps host for the whole run.
    explicit MainMenu(MenuHost& host);
    MainMenu(const MainMenu&) = delete;
    MainMenu& operator=(const MainMenu&) = delete;

    // The main loop: from the first line, until Escape or "exit". Called once; a window
    // close request ends the process inside it.
    void run();
    void draw();
    // Runs the screen of line index and returns true; false for "exit".
    bool activateMainItem(std::uint32_t index);

    std::vector<std::string> itemTexts;
    std::uint32_t selected = 0;
    BoardList boardList;
    PackList packList;
    OptionsMenu optionsMenu;
    MazeSetter mazeMenu;

private:
    MenuHost& host;
};

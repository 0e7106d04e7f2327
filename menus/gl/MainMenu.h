#pragma once
// The first screen and the hub of the game: five lines under the title and the ball, each
// leading to a screen that returns here, and "exit". It owns every other menu; all of them
// keep their values for the whole run.

#include "menus/LevelLists.h"
#include "menus/MazeSetter.h"
#include "menus/OptionsMenu.h"
#include "menus/gl/OptionsScreen.h"

#include <cstdint>
#include <string>
#include <vector>

class Settings;
class TiltInput;

class MainMenu {
public:
    // Needs the display, the font, the music and the tilt input: built last at start-up.
    // Scans "levs" and makes the menu background.
    MainMenu(Settings& settings, TiltInput& tiltInput, bool& turnboard, bool& topview);
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
    OptionsTargets optionsTargets;
};

#pragma once
// The credits shown when the player leaves the main menu: names and roles rising over the
// menu background, then the studio line. Escape, Return, Space or a click end them.

#include <string>
#include <utility>
#include <vector>

class InputDevice;

class CreditsScreen {
public:
    CreditsScreen();

    // Runs until the text has left the top of the screen or the player cuts it short.
    // Expects: the menu drawing state.
    void run(InputDevice& device);
    void draw();

    // (name, role): the name's first line gives a nickname in double quotes.
    std::vector<std::pair<std::string, std::string>> entries;
    std::string studio;
    float scroll = 0.0f;
    // Shown under the credits when there is something the player must hear as the game ends.
    std::string notice;
};

#pragma once
// The random maze menu: a width, a height and a generator, and "start", which makes a fresh
// maze of them and plays it at once. The values and the last maze stay between visits.

#include "base/RandomSource.h"
#include "game/Board.h"
#include "menus/MenuItem.h"
#include "menus/MenuItemKinds.h"

#include <cstdint>
#include <functional>
#include <string>

class MazeSetter {
public:
    // Plays a generated board; the menu keeps the board.
    using PlayMaze = std::function<void(Board& board)>;

    static constexpr unsigned int INITIAL_SIZE = 10; // cells along each side

    // The "start" line: Return or Space makes and plays a maze.
    class Starter : public MenuItem {
    public:
        explicit Starter(MazeSetter& owner) : owner(owner) {}

        bool handleKey(int key) override;
        void draw(MenuPainter&) override {}

        MazeSetter& owner;
    };

    // Every maze draws from random (std::rand in the game).
    MazeSetter(PlayMaze playMaze, RandomSource random);
    MazeSetter(const MazeSetter&) = delete;
    MazeSetter& operator=(const MazeSetter&) = delete;

    // The chosen generator and what its mazes look like, or nothing while none is chosen.
    std::string describeAlgorithm() const;
    // The keys of the selected line: the sizes are typed, the generator stepped through,
    // "start" plays.
    std::string describeKeys() const;
    // Generates and plays a maze of the current values. A size of 0 does nothing; a size
    // above the menu's limit only prints that limit on standard error. True when it played.
    bool startMaze();

    MenuEntries items;
    std::uint32_t selected = 0;
    Starter starter;
    menuitems::IntGetter<unsigned int> width;
    menuitems::IntGetter<unsigned int> height;
    menuitems::StringPicker algorithm;
    Board board;

private:
    PlayMaze playMaze;
    RandomSource random;
};

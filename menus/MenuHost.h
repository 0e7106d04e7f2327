#pragma once
// What the screens outside play need from the running game: its input device, playing
// boards, the best-times table, the options in force and the menus' sounds. The game hands
// one to the main menu at start-up; it lives until the process exits.

#include <string>

class BestTimes;
class InputDevice;
class OptionsMenu;
enum class MenuSound;
struct OptionsSnapshot;
struct PlayEntry;

class MenuHost {
public:
    virtual InputDevice& inputDevice() = 0;
    // The one best-times table of the run, loaded at start-up.
    virtual BestTimes& bestTimes() = 0;
    // Tries again to save best times that wait for their file, quiet about a reason it gave.
    virtual void retryUnsavedTimes() = 0;
    // Why a best time waits for its file, for the screen to show; empty while none waits.
    virtual std::string describeUnsavedTimes() = 0;

    // The game music, before a single board, a pack or a maze is played.
    virtual void enterPlay() = 0;
    // Plays entry on the game's window; true when the player asked for the next board.
    virtual bool playBoard(PlayEntry& entry, bool nextAllowed) = 0;
    // After the boards: the menu music from its intro, the menus' drawing state and the
    // pointer shown again.
    virtual void leavePlay() = 0;

    // The settings' values in force now, and the display's full-screen modes.
    virtual OptionsSnapshot takeOptionsSnapshot() = 0;
    // Applies the menu's values to the running game, then writes the whole settings file.
    virtual void applyOptions(OptionsMenu& menu) = 0;

    // Plays the menus' sound; it returns at once.
    virtual void playMenuSound(MenuSound sound) = 0;

protected:
    ~MenuHost() = default;
};

#pragma once
// Keeps a finished board's new best time until it is on disk. The save right after the board
// waits the usual two seconds for another program's save; when it cannot write, the time
// stays in the table and is tried again whenever the player leaves a board or a list, and a
// last time when the game ends, which waits longer for the lock. Meanwhile the screens say
// why the time is not saved yet, and once the last try has failed, that it is lost.

#include "game/BestTimes.h"

#include <string>

class TimesKeeper {
public:
    // A retry on the way out of a board or a list: short, since the player is waiting.
    static constexpr int RETRY_LOCK_WAIT_MS = 500;
    // The last try, as the game ends: long enough for other copies' saves of a large file.
    static constexpr int EXIT_LOCK_WAIT_MS = 5000;

    TimesKeeper(BestTimes& table, std::string path);

    // Right after a time entered a board's top five; every failure is reported.
    void saveNewTime();
    // Saves times that are still waiting; a failure reported before is not reported again.
    void retry();
    // The last try; true when no time is left unsaved.
    bool saveBeforeExit();

    // What a screen shows while a time waits, naming the reason; empty when none waits.
    std::string describeUnsaved() const;
    // What the game shows when the last try has failed too.
    std::string describeLost() const;

private:
    bool isWaiting() const;
    std::string describeReason() const;

    BestTimes& table;
    std::string path;
};

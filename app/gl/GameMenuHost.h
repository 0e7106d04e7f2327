#pragma once
// The menus' way into the running game: its input device, the play host, the best-times
// table, and what leaving the options menu changes: the display, the music, the view flags,
// the sensitivities and the settings file. Built once at start-up, before the main menu.

#include "menus/MenuHost.h"

#include <string>

class GamePlayHost;
class Renderer;
class Settings;
class TiltInput;
class TimesKeeper;

class GameMenuHost final : public MenuHost {
public:
    GameMenuHost(InputDevice& device, GamePlayHost& playHost, BestTimes& table,
                 TimesKeeper& timesKeeper, Settings& settings, TiltInput& tiltInput,
                 Renderer& renderer);
    GameMenuHost(const GameMenuHost&) = delete;
    GameMenuHost& operator=(const GameMenuHost&) = delete;

    InputDevice& inputDevice() override { return device; }
    BestTimes& bestTimes() override { return table; }
    void retryUnsavedTimes() override;
    std::string describeUnsavedTimes() override;

    void enterPlay() override;
    bool playBoard(PlayEntry& entry, bool nextAllowed) override;
    void leavePlay() override;

    OptionsSnapshot takeOptionsSnapshot() override;
    void applyOptions(OptionsMenu& menu) override;

private:
    InputDevice& device;
    GamePlayHost& playHost;
    BestTimes& table;
    TimesKeeper& timesKeeper;
    Settings& settings;
    TiltInput& tiltInput;
    Renderer& renderer; // holds the view flags
};

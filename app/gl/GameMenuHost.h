#pragma once
// The menus' way into the running game: its input device, the play host, the best-times
// table, and what leaving the options menu changes: the settings in force (GameSettings) and
// the settings file. Built once at start-up, before the main menu.

#include "app/gl/GameSettings.h"
#include "menus/MenuHost.h"

#include <string>

class GamePlayHost;
class Settings;
class TimesKeeper;

class GameMenuHost final : public MenuHost {
public:
    GameMenuHost(InputDevice& device, GamePlayHost& playHost, BestTimes& table,
                 TimesKeeper& timesKeeper, Settings& settings, const SettingTargets& targets);
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
    void playMenuSound(MenuSound sound) override;

private:
    InputDevice& device;
    GamePlayHost& playHost;
    BestTimes& table;
    TimesKeeper& timesKeeper;
    Settings& settings;
    SettingTargets targets;
};

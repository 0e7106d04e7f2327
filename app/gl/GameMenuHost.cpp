#include "app/gl/GameMenuHost.h"

#include "app/gl/Display.h"
#include "app/gl/GameMusic.h"
#include "app/gl/GameSounds.h"
#include "app/gl/GamePlayHost.h"
#include "base/FreeMemory.h"
#include "base/InputDevice.h"
#include "base/Settings.h"
#include "game/TimesKeeper.h"
#include "menus/MenuLoops.h"
#include "menus/OptionsMenu.h"
#include "render/gl/GlState.h"
#include "render/gl/MenuFrames.h"

GameMenuHost::GameMenuHost(InputDevice& device, GamePlayHost& playHost, BestTimes& table,
                           TimesKeeper& timesKeeper, Settings& settings,
                           const SettingTargets& targets)
    : device(device), playHost(playHost), table(table), timesKeeper(timesKeeper),
      settings(settings), targets(targets) {}

void GameMenuHost::retryUnsavedTimes() {
    timesKeeper.retry();
}

std::string GameMenuHost::describeUnsavedTimes() {
    return timesKeeper.describeUnsaved();
}

void GameMenuHost::enterPlay() {
    musicPlayer.startGameMusic();
}

bool GameMenuHost::playBoard(PlayEntry& entry, bool nextAllowed) {
    return playHost.play(entry, nextAllowed);
}

// Play leaves the pointer hidden when the player leaves a board; the menus show it again
// where play parked it, which selects nothing until the player moves it. What the last
// board's frames held goes back to the system before the menus go on.
void GameMenuHost::leavePlay() {
    musicPlayer.startMenuMusic();
    drawBackgroundAndWait();
    returnFreedMemory();
    useMenuState();
    device.showCursor(true);
    device.discardPointerMotion();
}

OptionsSnapshot GameMenuHost::takeOptionsSnapshot() {
    return {readSettingsInForce(targets), modeList};
}

// The file keeps what the menu chose, even what did not take effect (a full-screen switch
// without a chosen mode, a sensitivity of 0), and the window as it now is.
void GameMenuHost::applyOptions(OptionsMenu& menu) {
    SettingValues chosen = menu.chooseValues(readSettingsInForce(targets));
    applySettings(chosen, menu.chosenMode(), targets);
    chosen.windowWidth = screenWidth();
    chosen.windowHeight = screenHeight();
    storeSettingValues(settings, chosen);
    settings.save(SETTINGS_FILE);
}

void GameMenuHost::playMenuSound(MenuSound sound) {
    soundPlayer.play(sound == MenuSound::Pick ? SoundEffect::MenuPick : SoundEffect::MenuMove);
}

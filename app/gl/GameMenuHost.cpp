#include "app/gl/GameMenuHost.h"

#include "app/TiltInput.h"
#include "app/gl/Display.h"
#include "app/gl/GamePlayHost.h"
#include "app/gl/Music.h"
#include "base/FreeMemory.h"
#include "base/InputDevice.h"
#include "base/Settings.h"
#include "game/TimesKeeper.h"
#include "menus/OptionsMenu.h"
#include "render/gl/GlState.h"
#include "render/gl/MenuDrawing.h"
#include "render/gl/Renderer.h"

namespace {

constexpr const char* SETTINGS_FILE = "tirva.cfg";

// Only a chosen mode can change the display; without one, size and full screen both stay
// (the full-screen value is still saved for the next start). The re-open brings the menu
// background back with it.
void applyDisplay(const OptionsMenu& menu) {
    if (!menu.resolution.hasChoice() || menu.resolution.index >= modeList.size())
        return;
    const VideoMode& mode = modeList[menu.resolution.index];
    const bool fullscreen = menu.fullscreen.value;
    if (mode.width == screenWidth() && mode.height == screenHeight() &&
        fullscreen == isFullscreen())
        return;
    reopenDisplay(mode.width, mode.height, fullscreen);
    useMenuState();
}

} // namespace

GameMenuHost::GameMenuHost(InputDevice& device, GamePlayHost& playHost, BestTimes& table,
                           TimesKeeper& timesKeeper, Settings& settings, TiltInput& tiltInput,
                           Renderer& renderer)
    : device(device), playHost(playHost), table(table), timesKeeper(timesKeeper),
      settings(settings), tiltInput(tiltInput), renderer(renderer) {}

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

// Play leaves the pointer hidden when the player leaves a board; the menus show it again.
// What the last board's frames held goes back to the system before the menus go on.
void GameMenuHost::leavePlay() {
    musicPlayer.startMenuMusic();
    drawBackgroundAndWait();
    returnFreedMemory();
    useMenuState();
    device.showCursor(true);
}

OptionsSnapshot GameMenuHost::takeOptionsSnapshot() {
    OptionsSnapshot snapshot;
    snapshot.fullscreen = isFullscreen();
    snapshot.modes = modeList;
    snapshot.windowWidth = screenWidth();
    snapshot.windowHeight = screenHeight();
    snapshot.musicOn = !musicPlayer.isMusicOff();
    snapshot.turnboard = renderer.turnboard;
    snapshot.topview = renderer.topview;
    snapshot.mouseSensitivity = tiltInput.mouseSensitivity();
    snapshot.joystickSensitivity = tiltInput.joystickSensitivity();
    return snapshot;
}

// In the order the player sees them take effect: display, music, view, input; then saved.
void GameMenuHost::applyOptions(OptionsMenu& menu) {
    applyDisplay(menu);
    musicPlayer.switchMusic(menu.music.value);
    renderer.turnboard = menu.turnBoard.value;
    renderer.topview = menu.topView.value;
    SensitivityChoice mouse =
        chooseSensitivity(menu.mouseSensitivity, tiltInput.mouseSensitivity());
    if (mouse.applies)
        tiltInput.setMouseSensitivity(mouse.stored);
    SensitivityChoice joystick =
        chooseSensitivity(menu.joystickSensitivity, tiltInput.joystickSensitivity());
    if (joystick.applies)
        tiltInput.setJoystickSensitivity(joystick.stored);
    menu.storeIn(settings, screenWidth(), screenHeight(), mouse.stored, joystick.stored);
    settings.save(SETTINGS_FILE);
}

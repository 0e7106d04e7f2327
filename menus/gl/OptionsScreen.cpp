#include "menus/gl/OptionsScreen.h"

#include "app/gl/Display.h"
#include "app/gl/Music.h"
#include "base/Settings.h"
#include "app/TiltInput.h"
#include "menus/gl/MenuLoops.h"
#include "render/gl/GlState.h"
#include "render/gl/MenuBackground.h"
#include "render/gl/MenuDrawing.h"

namespace {

constexpr const char* SETTINGS_FILE = "tirva.cfg";

// Only a chosen mode can change the display; without one, size and full screen both stay
// (the full-screen value is still saved for the next start).
void applyDisplay(const OptionsMenu& menu) {
    if (!menu.resolution.hasChoice() || menu.resolution.index >= modeList.size())
        return;
    const VideoMode& mode = modeList[menu.resolution.index];
    const bool fullscreen = menu.fullscreen.value;
    if (mode.width == screenWidth() && mode.height == screenHeight() &&
        fullscreen == isFullscreen())
        return;
    reopenDisplay(mode.width, mode.height, fullscreen);
    reloadMenuBackground();
    useMenuState();
}

// In the order the player sees them take effect: display, music, view, input; then saved.
void applyOptions(OptionsMenu& menu, OptionsTargets& targets) {
    applyDisplay(menu);
    musicPlayer.switchMusic(menu.music.value);
    targets.turnboard = menu.turnBoard.value;
    targets.topview = menu.topView.value;
    TiltInput& tilt = targets.tiltInput;
    SensitivityChoice mouse = chooseSensitivity(menu.mouseSensitivity, tilt.mouseSensitivity());
    if (mouse.applies)
        tilt.setMouseSensitivity(mouse.stored);
    SensitivityChoice joystick =
        chooseSensitivity(menu.joystickSensitivity, tilt.joystickSensitivity());
    if (joystick.applies)
        tilt.setJoystickSensitivity(joystick.stored);
    menu.storeIn(targets.settings, screenWidth(), screenHeight(), mouse.stored, joystick.stored);
    targets.settings.save(SETTINGS_FILE);
}

} // namespace

OptionsSnapshot takeOptionsSnapshot(const OptionsTargets& targets) {
    OptionsSnapshot snapshot;
    snapshot.fullscreen = isFullscreen();
    snapshot.modes = modeList;
    snapshot.windowWidth = screenWidth();
    snapshot.windowHeight = screenHeight();
    snapshot.musicOn = !musicPlayer.isMusicOff();
    snapshot.turnboard = targets.turnboard;
    snapshot.topview = targets.topview;
    snapshot.mouseSensitivity = targets.tiltInput.mouseSensitivity();
    snapshot.joystickSensitivity = targets.tiltInput.joystickSensitivity();
    return snapshot;
}

void runOptionsMenu(OptionsMenu& menu, OptionsTargets& targets) {
    menu.selected = 0;
    runItemMenu(menu.items, menu.selected, [&menu] {
        drawOptionsMenuFrame(
            collectLabels(menu.items), menu.selected,
            [&menu](std::size_t i, MenuPainter& painter) { menu.items[i].item.draw(painter); });
    });
    applyOptions(menu, targets);
}

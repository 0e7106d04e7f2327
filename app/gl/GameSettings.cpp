#include "app/gl/GameSettings.h"

#include "app/TiltInput.h"
#include "app/gl/Display.h"
#include "app/gl/GameMusic.h"
#include "app/gl/GameSounds.h"
#include "render/gl/GlState.h"
#include "render/gl/Renderer.h"

namespace {

// Only a chosen mode can change the display; without one, size and full screen both stay
// (the full-screen value is still saved for the next start). The re-open brings the menu
// background back with it.
void applyDisplay(const VideoMode& mode, bool fullscreen) {
    if (mode.width == screenWidth() && mode.height == screenHeight() &&
        fullscreen == isFullscreen())
        return;
    reopenDisplay(mode.width, mode.height, fullscreen);
    useMenuState();
}

} // namespace

SettingValues readSettingsInForce(const SettingTargets& targets) {
    SettingValues values = defaultSettingValues();
    values.fullscreen = isFullscreen();
    values.windowWidth = screenWidth();
    values.windowHeight = screenHeight();
    values.music = !musicPlayer.isMusicOff();
    values.sound = !soundPlayer.isSoundOff();
    values.turnboard = targets.renderer.turnboard;
    values.topview = targets.renderer.topview;
    values.mouseSensitivity = targets.tiltInput.mouseSensitivity();
    values.joystickSensitivity = targets.tiltInput.joystickSensitivity();
    return values;
}

void applySettings(const SettingValues& values, const std::optional<VideoMode>& newMode,
                   const SettingTargets& targets) {
    if (newMode)
        applyDisplay(*newMode, values.fullscreen);
    musicPlayer.switchMusic(values.music);
    soundPlayer.switchSound(values.sound);
    targets.renderer.turnboard = values.turnboard;
    targets.renderer.topview = values.topview;
    if (isUsableSensitivity(values.mouseSensitivity))
        targets.tiltInput.setMouseSensitivity(values.mouseSensitivity);
    if (isUsableSensitivity(values.joystickSensitivity))
        targets.tiltInput.setJoystickSensitivity(values.joystickSensitivity);
}

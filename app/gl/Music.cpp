#include "app/gl/Music.h"

#include "app/gl/SdlMixerBackend.h"
#include "render/gl/GlState.h"

namespace {

SdlMixerBackend mixerBackend;

} // namespace

MusicPlayer musicPlayer(mixerBackend);

void startMusic(bool musicOff) {
    musicPlayer.open("music/menu_intro.ogg", "music/menu.ogg", "music/game.ogg");
    musicPlayer.applySetting(musicOff);
    musicPlayer.startMenuMusic();
}

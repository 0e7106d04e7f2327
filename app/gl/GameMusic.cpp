#include "app/gl/GameMusic.h"

#include "app/gl/SdlMixerBackend.h"

namespace {

SdlMixerBackend mixerBackend;

} // namespace

MusicPlayer musicPlayer(mixerBackend);

void startMusic(bool musicOff) {
    musicPlayer.open("music/menu_intro.ogg", "music/menu.ogg", "music/game.ogg");
    musicPlayer.applySetting(musicOff);
    musicPlayer.startMenuMusic();
}

#include "app/gl/GameMusic.h"

#include "app/gl/SdlMixerBackend.h"

namespace {

SdlMixerBackend mixerBackend;

} // namespace

MusicPlayer musicPlayer(mixerBackend);

void openMusic() {
    musicPlayer.open("music/menu_intro.ogg", "music/menu.ogg", "music/game.ogg");
}

#include "app/gl/Music.h"

#include "app/gl/SdlMixerBackend.h"
#include "render/gl/GlState.h"

#include <SDL.h>

namespace {

SdlMixerBackend mixerBackend;

} // namespace

MusicPlayer musicPlayer(mixerBackend);

void startMusic(bool musicOff) {
    musicPlayer.open("music/menu_intro.ogg", "music/menu.ogg", "music/game.ogg");
    musicPlayer.applySetting(musicOff);
    musicPlayer.startMenuMusic();
}

bool handleMusicEvent(const SDL_Event& event) {
    if (event.type != MUSIC_FINISHED_EVENT)
        return false;
    musicPlayer.handleMusicFinished(event.user.code);
    return true;
}

void backToMenus() {
    musicPlayer.startMenuMusic();
    useMenuState();
}

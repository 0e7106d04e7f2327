#pragma once
// The game's music player on SDL_mixer.

#include "app/MusicPlayer.h"

extern MusicPlayer musicPlayer;

// Opens the sound device, loads "music/menu_intro.ogg", "music/menu.ogg" and
// "music/game.ogg", applies the "music" setting and starts the menu music.
void startMusic(bool musicOff);
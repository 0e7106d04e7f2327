#pragma once
// The game's one music player, on SDL_mixer.

#include "app/MusicPlayer.h"

extern MusicPlayer musicPlayer;

// Opens the sound device and loads "music/menu_intro.ogg", "music/menu.ogg" and
// "music/game.ogg". Nothing plays until the menu music is started, after the settings have
// switched the music on or off.
void openMusic();

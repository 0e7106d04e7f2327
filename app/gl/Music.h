#pragma once
// The game's music player on SDL_mixer, and the glue every event loop needs for it.

#include "app/MusicPlayer.h"

union SDL_Event;

extern MusicPlayer musicPlayer;

// Opens the sound device, loads "music/menu_intro.ogg", "music/menu.ogg" and
// "music/game.ogg", applies the "music" setting and starts the menu music.
void startMusic(bool musicOff);
// Every event loop passes each event here first: true when it was the music's own (the end
// of a track) and has been handled, so the loop ignores it.
bool handleMusicEvent(const SDL_Event& event);
// After a board: the menu music from its intro, and the menus' drawing state.
void backToMenus();

#pragma once
// The game's one sound-effect player, on SDL_mixer's channels, and the sounds of play.

#include "app/PlaySounds.h"
#include "app/SoundPlayer.h"

extern SoundPlayer soundPlayer;
extern PlaySounds playSounds;

// Loads the effects under "sounds" onto the device the music opened (openMusic comes first)
// and frees them when the process exits. Nothing plays until something asks.
void openSounds();

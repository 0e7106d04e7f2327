// The game's sound effects, made with the music's instruments and room so that they sit with
// it: notes of E minor's pentatonic scale (E G A B D), which both the game's E minor and the
// menus' A minor hold, struck bars and plucks, and the same reverb. Each effect is one row:
// its file name, its generator and the seed of its noise, so any one can be made again alone.
#pragma once

#include "StereoBuffer.h"

#include <vector>

struct SoundRecipe {
    const char* name; // the file is data/sounds/NAME.ogg
    StereoBuffer (*render)(unsigned seed);
    unsigned seed;
    double loudestDb; // RMS of the loudest 50 ms, dBFS: well under the music's -16 dB average
};

const std::vector<SoundRecipe>& listSoundRecipes();

// The effect rendered, brought to its level, faded in and out at its edges, and cut after its
// tail has died away.
StereoBuffer renderSound(const SoundRecipe& recipe);

// RMS of the loudest 50 ms window, linear, the measure the effects are levelled by.
double measureLoudestRms(const StereoBuffer& buffer);

// The drum kit, synthesised from pitched sines and filtered noise. Each adds one hit into a
// stereo buffer; a hit's noise comes from its own seed, so the same hit always sounds the same.
#pragma once

#include "Pattern.h"
#include "StereoBuffer.h"

void playKick(const NoteEvent& hit, float pan, StereoBuffer& out);
void playSnare(const NoteEvent& hit, float pan, StereoBuffer& out);
void playRim(const NoteEvent& hit, float pan, StereoBuffer& out);
void playHat(const NoteEvent& hit, float pan, StereoBuffer& out);
void playOpenHat(const NoteEvent& hit, float pan, StereoBuffer& out);
void playShaker(const NoteEvent& hit, float pan, StereoBuffer& out);

// The echo and reverb a piece shares, and the clean-up of its mix. They keep state from sample
// to sample, so a loop must be run through them as a whole, repeated, never piece by piece.
#pragma once

#include "Score.h"
#include "StereoBuffer.h"

// The echo of the send, alternating between the channels, each repeat darker than the last.
StereoBuffer renderEcho(const StereoBuffer& send, const Effects& effects, int samplesPerBeat);

// The reverberation of the send: a bank of damped combs and all-pass diffusers per channel,
// the right channel's slightly longer so the tail is wide.
StereoBuffer renderReverb(const StereoBuffer& send, const Effects& effects);

// Takes out any constant offset, which would only cost headroom and click at a loop's seam.
void removeOffset(StereoBuffer& mix);

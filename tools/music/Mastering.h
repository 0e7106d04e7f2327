// The last steps before a track is written, and the measurements that stand in for listening:
// levels, and how smoothly one stretch of samples continues into another at a seam.
#pragma once

#include "StereoBuffer.h"

#include <string>

double measurePeak(const StereoBuffer& buffer); // linear, largest magnitude of either channel
double measureRms(const StereoBuffer& buffer);  // linear, over both channels
double toDecibels(double level);
float fromDecibels(double decibels);

void scaleBuffer(StereoBuffer& buffer, float gain);

// Leaves samples below knee alone and bends larger ones smoothly towards ceiling, which they
// never reach. It acts on each sample alone, so equal samples stay equal in every track.
void limitPeaks(StereoBuffer& buffer, float knee, float ceiling);

// Fades the last samples of head into the last samples of loop, so that head ends exactly
// where loop ends and goes on into the loop's first sample as the loop goes on into itself.
void blendEnding(StereoBuffer& head, const StereoBuffer& loop, long samples);

// How the first sample of after follows the last samples of before. A click shows as a
// departure from the straight line through the two samples before the seam that is large
// against the same measure over the whole of before.
struct Seam {
    double jump;         // at the seam, linear
    double typicalJump;  // 99th percentile of every sample's departure in before
    double greatestJump; // largest departure anywhere in before
};
Seam measureSeam(const StereoBuffer& before, const StereoBuffer& after);

// One line each for the build script to print: a track's length and levels, and a seam.
std::string describeLevels(const std::string& name, const StereoBuffer& buffer);
std::string describeSeam(const std::string& name, const Seam& seam);

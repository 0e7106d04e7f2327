// A stereo signal of float samples at SAMPLE_RATE, full scale at ±1.
#pragma once

#include <vector>

struct StereoBuffer {
    std::vector<float> left;
    std::vector<float> right;

    explicit StereoBuffer(long samples = 0) : left(samples, 0.0f), right(samples, 0.0f) {}
    long size() const { return long(left.size()); }
};

// Adds a mono signal at a start sample, placed by constant-power panning (-1 left … 1 right).
// Whatever falls past the end of the buffer is dropped.
void mixMono(const std::vector<float>& mono, long start, float pan, StereoBuffer& out);

// Adds every sample of source, scaled, into out from its start.
void mixScaled(const StereoBuffer& source, float gain, StereoBuffer& out);

// The samples [begin, begin + count) as a buffer of their own.
StereoBuffer copyRange(const StereoBuffer& source, long begin, long count);

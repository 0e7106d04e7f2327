#include "StereoBuffer.h"

#include <algorithm>
#include <cmath>

void mixMono(const std::vector<float>& mono, long start, float pan, StereoBuffer& out) {
    const double angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0) * 0.25 * M_PI;
    const float leftGain = float(std::cos(angle));
    const float rightGain = float(std::sin(angle));
    const long end = std::min(out.size(), start + long(mono.size()));
    for (long i = std::max(0L, start); i < end; ++i) {
        out.left[i] += leftGain * mono[i - start];
        out.right[i] += rightGain * mono[i - start];
    }
}

void mixScaled(const StereoBuffer& source, float gain, StereoBuffer& out) {
    const long end = std::min(source.size(), out.size());
    for (long i = 0; i < end; ++i) {
        out.left[i] += gain * source.left[i];
        out.right[i] += gain * source.right[i];
    }
}

StereoBuffer copyRange(const StereoBuffer& source, long begin, long count) {
    StereoBuffer part(count);
    for (long i = 0; i < count && begin + i < source.size(); ++i) {
        part.left[i] = source.left[begin + i];
        part.right[i] = source.right[begin + i];
    }
    return part;
}

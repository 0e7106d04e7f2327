// White noise and two-pole filters, shared by the drums and the sound effects. The noise is
// seeded, so the same hit always sounds the same.
#pragma once

#include "Score.h"

#include <cmath>

// Xorshift white noise in -1 … 1: small, fast and the same on every machine.
struct Noise {
    unsigned state;
    float next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return float(state) / 2147483648.0f - 1.0f;
    }
};

// A two-pole filter after the usual cookbook formulas.
struct Biquad {
    double b0, b1, b2, a1, a2;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;

    float process(float x) {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return float(y);
    }
};

inline Biquad makeHighPass(double cutoffHz, double q) {
    const double w = 6.283185307179586 * cutoffHz / SAMPLE_RATE;
    const double alpha = std::sin(w) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    const double c = std::cos(w);
    return {(1.0 + c) / 2.0 / a0, -(1.0 + c) / a0, (1.0 + c) / 2.0 / a0, -2.0 * c / a0,
            (1.0 - alpha) / a0};
}

inline Biquad makeBandPass(double centreHz, double q) {
    const double w = 6.283185307179586 * centreHz / SAMPLE_RATE;
    const double alpha = std::sin(w) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    return {alpha / a0, 0.0, -alpha / a0, -2.0 * std::cos(w) / a0, (1.0 - alpha) / a0};
}

#include "Drums.h"

#include "Filters.h"

#include <cmath>

namespace {

constexpr double TWO_PI = 6.283185307179586;

long countSamples(double seconds) {
    return long(seconds * SAMPLE_RATE);
}

// Noise through a filter, shaped by a short linear attack and an exponential decay.
std::vector<float> renderNoiseBurst(unsigned seed, Biquad filter, double attackSeconds,
                                    double decaySeconds, double lengthSeconds) {
    Noise noise{seed};
    std::vector<float> mono(countSamples(lengthSeconds));
    for (size_t i = 0; i < mono.size(); ++i) {
        const double t = double(i) / SAMPLE_RATE;
        const double rise = t < attackSeconds ? t / attackSeconds : 1.0;
        mono[i] = float(rise * std::exp(-t / decaySeconds)) * filter.process(noise.next());
    }
    return mono;
}

void addTone(std::vector<float>& mono, double frequency, double level, double decaySeconds) {
    double phase = 0.0;
    for (size_t i = 0; i < mono.size(); ++i) {
        const double t = double(i) / SAMPLE_RATE;
        mono[i] += float(level * std::exp(-t / decaySeconds) * std::sin(phase));
        phase += TWO_PI * frequency / SAMPLE_RATE;
    }
}

void scaleAndMix(std::vector<float>& mono, float gain, const NoteEvent& hit, float pan,
                 StereoBuffer& out) {
    for (float& sample : mono)
        sample *= gain * hit.velocity;
    mixMono(mono, hit.startSample, pan, out);
}

} // namespace

void playKick(const NoteEvent& hit, float pan, StereoBuffer& out) {
    // The pitch falls fast from a knock to a low hum; the phase is integrated so it stays smooth.
    std::vector<float> mono(countSamples(0.6));
    double phase = 0.0;
    for (size_t i = 0; i < mono.size(); ++i) {
        const double t = double(i) / SAMPLE_RATE;
        const double frequency = 46.0 + 105.0 * std::exp(-t / 0.035);
        const double level = std::min(1.0, t / 0.001) * std::exp(-t / 0.28);
        mono[i] = float(level * std::sin(phase));
        phase += TWO_PI * frequency / SAMPLE_RATE;
    }
    std::vector<float> click =
        renderNoiseBurst(hit.seed, makeHighPass(2000.0, 0.7), 0.0, 0.003, 0.02);
    for (size_t i = 0; i < click.size(); ++i)
        mono[i] += 0.25f * click[i];
    scaleAndMix(mono, 0.9f, hit, pan, out);
}

void playSnare(const NoteEvent& hit, float pan, StereoBuffer& out) {
    std::vector<float> mono =
        renderNoiseBurst(hit.seed, makeBandPass(2800.0, 0.6), 0.0005, 0.11, 0.4);
    addTone(mono, 185.0, 0.55, 0.06);
    addTone(mono, 330.0, 0.2, 0.04);
    scaleAndMix(mono, 0.7f, hit, pan, out);
}

void playRim(const NoteEvent& hit, float pan, StereoBuffer& out) {
    std::vector<float> mono =
        renderNoiseBurst(hit.seed, makeBandPass(3500.0, 1.5), 0.0003, 0.008, 0.12);
    addTone(mono, 1650.0, 0.35, 0.012);
    addTone(mono, 480.0, 0.3, 0.02);
    scaleAndMix(mono, 0.6f, hit, pan, out);
}

void playHat(const NoteEvent& hit, float pan, StereoBuffer& out) {
    std::vector<float> mono =
        renderNoiseBurst(hit.seed, makeHighPass(6500.0, 0.8), 0.0005, 0.03, 0.2);
    scaleAndMix(mono, 0.45f, hit, pan, out);
}

void playOpenHat(const NoteEvent& hit, float pan, StereoBuffer& out) {
    std::vector<float> mono =
        renderNoiseBurst(hit.seed, makeHighPass(6000.0, 0.8), 0.001, 0.16, 0.7);
    scaleAndMix(mono, 0.35f, hit, pan, out);
}

void playShaker(const NoteEvent& hit, float pan, StereoBuffer& out) {
    std::vector<float> mono =
        renderNoiseBurst(hit.seed, makeBandPass(6500.0, 1.2), 0.012, 0.04, 0.25);
    scaleAndMix(mono, 0.6f, hit, pan, out);
}

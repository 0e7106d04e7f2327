#include "Voices.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double TWO_PI = 6.283185307179586;
constexpr int MAX_HARMONICS = 32;
constexpr double PARTIAL_CEILING = 0.45 * SAMPLE_RATE; // Hz; partials above would fold back

double toSeconds(long samples) {
    return double(samples) / SAMPLE_RATE;
}

// 0 … 1 with zero slope at both ends, so envelopes built from it never click.
double smoothStep(double x) {
    x = std::clamp(x, 0.0, 1.0);
    return x * x * (3.0 - 2.0 * x);
}

// Rises over attack, holds until held, then falls to silence over release.
double gate(double t, double attack, double held, double release) {
    const double rise = attack > 0.0 ? smoothStep(t / attack) : 1.0;
    return rise * (1.0 - smoothStep((t - held) / release));
}

int countHarmonics(double frequency, double ceiling) {
    return std::clamp(int(ceiling / frequency), 1, MAX_HARMONICS);
}

// Sum of harmonics 1 … count of the phase by the Chebyshev recurrence, which needs one sine
// and one cosine a sample instead of one sine a harmonic.
double sumHarmonics(double phase, const float* amplitudes, int count) {
    const double twiceCos = 2.0 * std::cos(phase);
    double previous = 0.0;
    double current = std::sin(phase);
    double sum = 0.0;
    for (int k = 0; k < count; ++k) {
        sum += amplitudes[k] * current;
        const double next = twiceCos * current - previous;
        previous = current;
        current = next;
    }
    return sum;
}

double advancePhase(double phase, double frequency) {
    phase += TWO_PI * frequency / SAMPLE_RATE;
    return phase >= TWO_PI ? phase - TWO_PI : phase;
}

double startPhase(unsigned seed) {
    return TWO_PI * (seed % 1000) / 1000.0;
}

struct Partial {
    double ratio;        // to the fundamental
    float level;         // at full velocity
    double decaySeconds; // to 1/e, for a bar at 440 Hz
};

// A bar's partials ring out independently; the higher ones die first, which is most of what
// makes a struck bar sound struck.
void strikeBar(const NoteEvent& note, const std::vector<Partial>& partials, double maxRing,
               float pan, StereoBuffer& out) {
    const double ring = std::min(maxRing, toSeconds(note.lengthSamples) + 0.4);
    std::vector<float> mono(long(ring * SAMPLE_RATE));
    const double pitchScale = std::pow(440.0 / note.frequency, 0.3); // low bars ring longer
    for (size_t p = 0; p < partials.size(); ++p) {
        const double frequency = note.frequency * partials[p].ratio;
        if (frequency > PARTIAL_CEILING)
            continue;
        const double decay = std::exp(-1.0 / (partials[p].decaySeconds * pitchScale * SAMPLE_RATE));
        double level = partials[p].level * std::pow(note.velocity, 1.0 + 0.5 * p);
        double phase = 0.0;
        for (float& sample : mono) {
            sample += float(level * std::sin(phase));
            level *= decay;
            phase = advancePhase(phase, frequency);
        }
    }
    for (size_t i = 0; i < mono.size(); ++i)
        mono[i] *= float(gate(toSeconds(i), 0.0015, ring - 0.1, 0.1));
    mixMono(mono, note.startSample, pan, out);
}

// Harmonics whose levels follow a low-pass cutoff that closes from open to shut after the
// attack, the sound of a plucked string or an enveloped synthesiser filter.
struct Closing {
    double shutHz;
    double openHz;
    double closeSeconds;
};

void fillClosingHarmonics(double frequency, double t, const Closing& filter, float* amplitudes,
                          int count) {
    const double cutoff = filter.shutHz + filter.openHz * std::exp(-t / filter.closeSeconds);
    for (int k = 1; k <= count; ++k) {
        const double ratio = k * frequency / cutoff;
        amplitudes[k - 1] = float(1.0 / (k * (1.0 + ratio * ratio)));
    }
}

std::vector<float> renderClosing(const NoteEvent& note, const Closing& filter, double held,
                                 double release, double fadeSeconds, double ceiling) {
    const int count = countHarmonics(note.frequency, ceiling);
    float amplitudes[MAX_HARMONICS];
    std::vector<float> mono(long((held + release) * SAMPLE_RATE));
    double phase = startPhase(note.seed);
    for (size_t i = 0; i < mono.size(); ++i) {
        const double t = toSeconds(i);
        if (i % 16 == 0)
            fillClosingHarmonics(note.frequency, t, filter, amplitudes, count);
        const double level = gate(t, 0.003, held, release) * std::exp(-t / fadeSeconds);
        mono[i] = float(note.velocity * level * sumHarmonics(phase, amplitudes, count));
        phase = advancePhase(phase, note.frequency);
    }
    return mono;
}

} // namespace

void playMallet(const NoteEvent& note, float pan, StereoBuffer& out) {
    static const std::vector<Partial> PARTIALS = {
        {1.0, 0.7f, 0.5}, {3.98, 0.22f, 0.09}, {9.85, 0.07f, 0.03}};
    strikeBar(note, PARTIALS, 1.6, pan, out);
}

void playCelesta(const NoteEvent& note, float pan, StereoBuffer& out) {
    static const std::vector<Partial> PARTIALS = {
        {1.0, 0.6f, 1.0}, {2.0, 0.12f, 0.35}, {4.07, 0.08f, 0.08}, {6.3, 0.03f, 0.03}};
    strikeBar(note, PARTIALS, 2.4, pan, out);
}

void playPad(const NoteEvent& note, float pan, StereoBuffer& out) {
    constexpr double ATTACK = 0.7, RELEASE = 1.3; // seconds
    constexpr int VOICES = 3;
    const double held = toSeconds(note.lengthSamples);
    const int count = countHarmonics(note.frequency, 5000.0);
    float amplitudes[MAX_HARMONICS];
    // A soft, dark tone: the harmonics fall steeply above 900 Hz, as under a closed filter.
    for (int k = 1; k <= count; ++k) {
        const double ratio = k * note.frequency / 900.0;
        amplitudes[k - 1] = float(1.0 / (k * (1.0 + ratio * ratio)));
    }
    for (int voice = 0; voice < VOICES; ++voice) {
        // Each voice drifts a few cents around its own detuning: the slow beating is the pad.
        const double detuneCents = (voice - 1) * 7.0;
        const double driftHz = 0.11 + 0.05 * voice;
        const double driftPhase = startPhase(note.seed * 7 + unsigned(voice));
        std::vector<float> mono(long((held + RELEASE) * SAMPLE_RATE));
        double phase = startPhase(note.seed + unsigned(voice) * 31);
        for (size_t i = 0; i < mono.size(); ++i) {
            const double t = toSeconds(i);
            const double cents = detuneCents + 3.0 * std::sin(TWO_PI * driftHz * t + driftPhase);
            const double level = gate(t, ATTACK, held, RELEASE) * note.velocity / VOICES;
            mono[i] = float(level * sumHarmonics(phase, amplitudes, count));
            phase = advancePhase(phase, note.frequency * (1.0 + cents * 0.000577623));
        }
        mixMono(mono, note.startSample, pan + (voice - 1) * 0.55f, out);
    }
}

void playBass(const NoteEvent& note, float pan, StereoBuffer& out) {
    static const float AMPLITUDES[] = {1.0f, 0.3f, 0.1f, 0.04f};
    const double held = toSeconds(note.lengthSamples);
    std::vector<float> mono(long((held + 0.08) * SAMPLE_RATE));
    double phase = 0.0;
    for (size_t i = 0; i < mono.size(); ++i) {
        const double t = toSeconds(i);
        const double level = gate(t, 0.006, held, 0.07) * (0.6 + 0.4 * std::exp(-t / 0.5));
        mono[i] = float(note.velocity * level * sumHarmonics(phase, AMPLITUDES, 4));
        phase = advancePhase(phase, note.frequency);
    }
    mixMono(mono, note.startSample, pan, out);
}

void playSynthBass(const NoteEvent& note, float pan, StereoBuffer& out) {
    const Closing filter = {220.0, 2200.0, 0.07};
    const double held = toSeconds(note.lengthSamples);
    mixMono(renderClosing(note, filter, held, 0.04, 1.5, 6000.0), note.startSample, pan, out);
}

void playPluck(const NoteEvent& note, float pan, StereoBuffer& out) {
    const Closing filter = {500.0, 4500.0, 0.06};
    const double held = std::max(toSeconds(note.lengthSamples), 0.35); // strings ring on
    mixMono(renderClosing(note, filter, held, 0.2, 0.45, 9000.0), note.startSample, pan, out);
}

void playLead(const NoteEvent& note, float pan, StereoBuffer& out) {
    static const float AMPLITUDES[] = {1.0f, 0.08f, 0.3f, 0.04f, 0.12f, 0.02f, 0.05f};
    const int count = std::min(7, countHarmonics(note.frequency, PARTIAL_CEILING));
    const double held = toSeconds(note.lengthSamples);
    std::vector<float> mono(long((held + 0.2) * SAMPLE_RATE));
    double phase = 0.0;
    for (size_t i = 0; i < mono.size(); ++i) {
        const double t = toSeconds(i);
        const double vibrato = 0.006 * smoothStep((t - 0.2) / 0.4) * std::sin(TWO_PI * 5.2 * t);
        const double level = gate(t, 0.03, held, 0.18) * note.velocity;
        mono[i] = float(level * sumHarmonics(phase, AMPLITUDES, count));
        phase = advancePhase(phase, note.frequency * (1.0 + vibrato));
    }
    mixMono(mono, note.startSample, pan, out);
}

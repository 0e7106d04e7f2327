#include "Effects.h"

#include <cmath>

namespace {

// Comb and all-pass lengths in samples at 22050 Hz: mutually prime, so their echoes never line
// up into an audible pattern.
constexpr int COMB_LENGTHS[] = {557, 593, 641, 677, 709, 743, 778, 809};
constexpr int ALLPASS_LENGTHS[] = {277, 221, 169, 113};
constexpr int STEREO_SPREAD = 11;      // samples added to every right-channel length
constexpr float REVERB_INPUT = 0.015f; // keeps the eight summed combs in range
constexpr float ALLPASS_FEEDBACK = 0.5f;

struct Comb {
    std::vector<float> line;
    size_t at = 0;
    float lowPassed = 0.0f;

    explicit Comb(int length) : line(length, 0.0f) {}
    float process(float input, float feedback, float damping) {
        const float output = line[at];
        lowPassed = output * (1.0f - damping) + lowPassed * damping;
        line[at] = input + lowPassed * feedback;
        at = (at + 1) % line.size();
        return output;
    }
};

struct AllPass {
    std::vector<float> line;
    size_t at = 0;

    explicit AllPass(int length) : line(length, 0.0f) {}
    float process(float input) {
        const float delayed = line[at];
        line[at] = input + delayed * ALLPASS_FEEDBACK;
        at = (at + 1) % line.size();
        return delayed - input;
    }
};

// One channel of the reverb from the mono sum of the send.
std::vector<float> reverberate(const std::vector<float>& input, int spread,
                               const Effects& effects) {
    std::vector<Comb> combs;
    for (int length : COMB_LENGTHS)
        combs.emplace_back(length + spread);
    std::vector<AllPass> allPasses;
    for (int length : ALLPASS_LENGTHS)
        allPasses.emplace_back(length + spread);
    const float feedback = 0.7f + 0.28f * effects.reverbRoom;
    const float damping = 0.4f * effects.reverbDamping;
    std::vector<float> output(input.size());
    for (size_t i = 0; i < input.size(); ++i) {
        float sum = 0.0f;
        for (Comb& comb : combs)
            sum += comb.process(input[i], feedback, damping);
        for (AllPass& allPass : allPasses)
            sum = allPass.process(sum);
        output[i] = sum * effects.reverbLevel;
    }
    return output;
}

} // namespace

StereoBuffer renderEcho(const StereoBuffer& send, const Effects& effects, int samplesPerBeat) {
    const size_t delay = size_t(effects.delayBeats * samplesPerBeat);
    StereoBuffer echo(send.size());
    if (delay == 0)
        return echo;
    // Each repeat crosses to the other channel and passes a gentle low-pass on the way.
    std::vector<float> leftLine(delay, 0.0f), rightLine(delay, 0.0f);
    float leftDark = 0.0f, rightDark = 0.0f;
    for (long i = 0; i < send.size(); ++i) {
        const size_t at = size_t(i) % delay;
        const float fromLeft = leftLine[at], fromRight = rightLine[at];
        leftDark += 0.5f * (fromRight - leftDark);
        rightDark += 0.5f * (fromLeft - rightDark);
        echo.left[i] = fromLeft;
        echo.right[i] = fromRight;
        leftLine[at] = 0.5f * (send.left[i] + send.right[i]) + effects.delayFeedback * leftDark;
        rightLine[at] = effects.delayFeedback * rightDark;
    }
    return echo;
}

StereoBuffer renderReverb(const StereoBuffer& send, const Effects& effects) {
    std::vector<float> input(send.size());
    for (long i = 0; i < send.size(); ++i)
        input[i] = REVERB_INPUT * (send.left[i] + send.right[i]);
    StereoBuffer reverb;
    reverb.left = reverberate(input, 0, effects);
    reverb.right = reverberate(input, STEREO_SPREAD, effects);
    return reverb;
}

void removeOffset(StereoBuffer& mix) {
    // A one-pole high-pass near 15 Hz: far below the music, fast enough to follow any drift.
    constexpr float POLE = 0.9957f;
    for (std::vector<float>* channel : {&mix.left, &mix.right}) {
        float previousIn = 0.0f, previousOut = 0.0f;
        for (float& sample : *channel) {
            const float out = sample - previousIn + POLE * previousOut;
            previousIn = sample;
            previousOut = out;
            sample = out;
        }
    }
}

#include "Mastering.h"

#include "Score.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

double departAt(const std::vector<float>& samples, long i) {
    return samples[i] - (2.0 * samples[i - 1] - samples[i - 2]);
}

std::string formatLine(const char* format, const std::string& name, double a, double b, double c) {
    char line[200];
    std::snprintf(line, sizeof line, format, name.c_str(), a, b, c);
    return line;
}

} // namespace

double measurePeak(const StereoBuffer& buffer) {
    double peak = 0.0;
    for (long i = 0; i < buffer.size(); ++i)
        peak =
            std::max({peak, double(std::fabs(buffer.left[i])), double(std::fabs(buffer.right[i]))});
    return peak;
}

double measureRms(const StereoBuffer& buffer) {
    double sum = 0.0;
    for (long i = 0; i < buffer.size(); ++i)
        sum += double(buffer.left[i]) * buffer.left[i] + double(buffer.right[i]) * buffer.right[i];
    return buffer.size() ? std::sqrt(sum / (2.0 * buffer.size())) : 0.0;
}

double toDecibels(double level) {
    return 20.0 * std::log10(std::max(level, 1e-9));
}

float fromDecibels(double decibels) {
    return float(std::pow(10.0, decibels / 20.0));
}

void scaleBuffer(StereoBuffer& buffer, float gain) {
    for (long i = 0; i < buffer.size(); ++i) {
        buffer.left[i] *= gain;
        buffer.right[i] *= gain;
    }
}

void limitPeaks(StereoBuffer& buffer, float knee, float ceiling) {
    // Above the knee the curve is tanh, whose slope of one at zero keeps the bend seamless.
    const float room = ceiling - knee;
    auto limit = [knee, room](float& sample) {
        const float size = std::fabs(sample);
        if (size > knee)
            sample = std::copysign(knee + room * std::tanh((size - knee) / room), sample);
    };
    std::for_each(buffer.left.begin(), buffer.left.end(), limit);
    std::for_each(buffer.right.begin(), buffer.right.end(), limit);
}

void blendEnding(StereoBuffer& head, const StereoBuffer& loop, long samples) {
    samples = std::min({samples, head.size(), loop.size()});
    for (long k = 0; k < samples; ++k) {
        const double weight = 0.5 - 0.5 * std::cos(M_PI * (k + 1) / samples); // reaches 1
        const long h = head.size() - samples + k;
        const long l = loop.size() - samples + k;
        head.left[h] = float((1.0 - weight) * head.left[h] + weight * loop.left[l]);
        head.right[h] = float((1.0 - weight) * head.right[h] + weight * loop.right[l]);
    }
}

Seam measureSeam(const StereoBuffer& before, const StereoBuffer& after) {
    Seam seam{0.0, 0.0, 0.0};
    const long n = before.size();
    if (n < 3 || after.size() < 1)
        return seam;
    std::vector<double> departures;
    for (const auto* channel : {&before.left, &before.right}) {
        for (long i = 2; i < n; ++i)
            departures.push_back(std::fabs(departAt(*channel, i)));
    }
    const double left = after.left[0] - (2.0 * before.left[n - 1] - before.left[n - 2]);
    const double right = after.right[0] - (2.0 * before.right[n - 1] - before.right[n - 2]);
    seam.jump = std::max(std::fabs(left), std::fabs(right));
    seam.greatestJump = *std::max_element(departures.begin(), departures.end());
    auto typical = departures.begin() + long(departures.size() * 0.99);
    std::nth_element(departures.begin(), typical, departures.end());
    seam.typicalJump = *typical;
    return seam;
}

std::string describeLevels(const std::string& name, const StereoBuffer& buffer) {
    return formatLine("%s: %.3f s, peak %.2f dBFS, RMS %.2f dBFS", name,
                      double(buffer.size()) / SAMPLE_RATE, toDecibels(measurePeak(buffer)),
                      toDecibels(measureRms(buffer)));
}

std::string describeSeam(const std::string& name, const Seam& seam) {
    return formatLine("%s: seam departure %.5f, typical (99%%) %.5f, greatest %.5f", name,
                      seam.jump, seam.typicalJump, seam.greatestJump);
}

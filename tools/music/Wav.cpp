#include "Wav.h"

#include "Score.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr int CHANNELS = 2;
constexpr int BYTES_PER_SAMPLE = 2;

void putNumber(std::vector<char>& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(char((value >> (8 * i)) & 0xFF));
}

uint32_t getNumber(const std::vector<char>& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = 0; i < size; ++i)
        value |= uint32_t(uint8_t(bytes[at + i])) << (8 * i);
    return value;
}

int16_t quantise(float sample) {
    return int16_t(std::lround(std::clamp(sample * 32767.0f, -32768.0f, 32767.0f)));
}

std::vector<char> makeHeader(uint32_t dataBytes) {
    std::vector<char> header;
    const std::string riff = "RIFF", wave = "WAVEfmt ", data = "data";
    header.insert(header.end(), riff.begin(), riff.end());
    putNumber(header, 36 + dataBytes, 4);
    header.insert(header.end(), wave.begin(), wave.end());
    putNumber(header, 16, 4); // size of the format chunk
    putNumber(header, 1, 2);  // integer PCM
    putNumber(header, CHANNELS, 2);
    putNumber(header, SAMPLE_RATE, 4);
    putNumber(header, SAMPLE_RATE * CHANNELS * BYTES_PER_SAMPLE, 4);
    putNumber(header, CHANNELS * BYTES_PER_SAMPLE, 2);
    putNumber(header, 8 * BYTES_PER_SAMPLE, 2);
    header.insert(header.end(), data.begin(), data.end());
    putNumber(header, dataBytes, 4);
    return header;
}

} // namespace

bool writeWav(const std::string& path, const StereoBuffer& buffer) {
    std::vector<char> bytes = makeHeader(uint32_t(buffer.size() * CHANNELS * BYTES_PER_SAMPLE));
    for (long i = 0; i < buffer.size(); ++i) {
        putNumber(bytes, uint16_t(quantise(buffer.left[i])), 2);
        putNumber(bytes, uint16_t(quantise(buffer.right[i])), 2);
    }
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(file.flush());
}

std::optional<StereoBuffer> readWav(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
    if (bytes.size() < 12 || std::string(bytes.begin(), bytes.begin() + 4) != "RIFF")
        return std::nullopt;
    bool hasFormat = false;
    // Chunks follow the 12-byte file header, each an id, a size and its bytes, padded to even.
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id(bytes.begin() + at, bytes.begin() + at + 4);
        const size_t size = std::min<size_t>(getNumber(bytes, at + 4, 4), bytes.size() - at - 8);
        if (id == "fmt " && size >= 16)
            hasFormat = getNumber(bytes, at + 8, 2) == 1 &&
                        getNumber(bytes, at + 10, 2) == CHANNELS &&
                        getNumber(bytes, at + 12, 4) == SAMPLE_RATE &&
                        getNumber(bytes, at + 22, 2) == 8 * BYTES_PER_SAMPLE;
        if (id == "data" && hasFormat) {
            StereoBuffer buffer(long(size / (CHANNELS * BYTES_PER_SAMPLE)));
            for (long i = 0; i < buffer.size(); ++i) {
                const size_t frame = at + 8 + size_t(i) * CHANNELS * BYTES_PER_SAMPLE;
                buffer.left[i] = int16_t(getNumber(bytes, frame, 2)) / 32768.0f;
                buffer.right[i] = int16_t(getNumber(bytes, frame + 2, 2)) / 32768.0f;
            }
            return buffer;
        }
        at += 8 + size + (size & 1);
    }
    return std::nullopt;
}

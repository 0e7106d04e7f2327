// Reading and writing 16-bit stereo PCM WAV files at SAMPLE_RATE, the encoder's input and the
// decoder's output.
#pragma once

#include "StereoBuffer.h"

#include <optional>
#include <string>

// Writes the buffer, rounded and clipped to 16 bits. False when the file cannot be written.
bool writeWav(const std::string& path, const StereoBuffer& buffer);

// The samples of a 16-bit stereo PCM file at SAMPLE_RATE, or none when it is anything else.
std::optional<StereoBuffer> readWav(const std::string& path);

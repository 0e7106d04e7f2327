// Renders a score into one stereo signal: every part through its instrument into the dry mix
// and the effect sends, then the shared echo and reverb.
#pragma once

#include "Score.h"
#include "StereoBuffer.h"

#include <optional>
#include <string>

// The score played passes times in a row, followed by tailSeconds in which the last notes and
// the effects die away. None, with a one-line reason in error, when a pattern is malformed.
std::optional<StereoBuffer> renderScore(const Score& score, int passes, double tailSeconds,
                                        std::string& error);

// The score as a seamless loop, exactly one pass long. It is played twice over and the second
// pass kept, so the echoes and the release of its last bars already sound under its first
// bars, as they will when the game plays it again.
std::optional<StereoBuffer> renderLoop(const Score& score, std::string& error);

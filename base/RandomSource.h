#pragma once
// The random generator that textures and mazes draw from: each call is one draw with the C
// library rand()'s contract, a value from 0 to RAND_MAX. The game and the tool pass std::rand;
// tests pass a seeded generator of their own, so their results do not depend on the C library.

#include <functional>

using RandomSource = std::function<int()>;

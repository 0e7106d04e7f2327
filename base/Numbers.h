#pragma once
// Numbers in text: the one reader of the integers and decimals that the settings, board
// files, the simulate input and the tool's options hold, and the one writer of the settings'
// decimals. Each caller keeps its own rule about what may stand around a number.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The white space of C's isspace in the "C" locale: space, \t, \n, \v, \f and \r.
bool isSpace(char c);
bool isDigit(char c);

// Integers stop growing at this magnitude: past every 32-bit range, signed or unsigned, so a
// huge number is refused or clamped by its reader and never wraps round into range.
constexpr std::int64_t SATURATED_MAGNITUDE = std::int64_t{1} << 32;

// An optional '+' or '-' and the decimal digits after it at the start of a text, as a text
// stream or C's strtol reads an integer once it has skipped the white space.
struct IntegerPrefix {
    std::size_t signLength = 0; // 1 when the text starts with '+' or '-'
    std::size_t digitCount = 0; // 0: no integer, even when a sign was there
    std::int64_t value = 0;     // its magnitude at most SATURATED_MAGNITUDE
};
IntegerPrefix scanIntegerPrefix(std::string_view text);

// The whole text as an integer: one '+' may lead, then an optional '-' and decimal digits;
// nothing else, not even white space. Magnitudes saturate as the scanner's do.
std::optional<std::int64_t> parseWholeInteger(std::string_view text);

// C's atoi without its undefined behaviour on overflow: leading white space, an optional
// sign, decimal digits; no digits give 0; out-of-range values saturate.
int convertAtoi(std::string_view text);

// The whole text as a finite decimal number: one '+' may lead, then an optional '-', digits,
// a point and an exponent; no white space, hex, "inf" or "nan". A value that overflows the
// float, or underflows it to zero, is refused.
std::optional<float> parseDecimalFloat(std::string_view text);

// A float at the start of a text as C's strtof reads it: white space, a sign, a decimal or
// hex number, "inf" or "nan"; and how many characters it took.
struct FloatPrefix {
    float value = 0.0f;
    std::size_t length = 0;
};
std::optional<FloatPrefix> scanFloatPrefix(std::string_view text);

// A float as printf "%.7g" writes it: 1.0 as "1", 0.5 as "0.5".
std::string formatFloat7(float value);

#include "base/Numbers.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

IntegerPrefix scanIntegerPrefix(std::string_view text) {
    IntegerPrefix number;
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        number.signLength = 1;
    }
    // Every digit is taken, as a stream takes them, but the magnitude stops growing.
    std::int64_t magnitude = 0;
    for (std::size_t i = number.signLength; i < text.size() && isDigit(text[i]); ++i) {
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), SATURATED_MAGNITUDE);
        ++number.digitCount;
    }
    number.value = negative ? -magnitude : magnitude;
    return number;
}

std::optional<std::int64_t> parseWholeInteger(std::string_view text) {
    if (!text.empty() && text[0] == '+')
        text.remove_prefix(1);
    // After that '+' only a '-' may stand as a sign.
    if (!text.empty() && text[0] == '+')
        return std::nullopt;
    IntegerPrefix number = scanIntegerPrefix(text);
    if (number.digitCount == 0 || number.signLength + number.digitCount != text.size())
        return std::nullopt;
    return number.value;
}

int convertAtoi(std::string_view text) {
    std::size_t blanks = 0;
    while (blanks < text.size() && isSpace(text[blanks]))
        ++blanks;
    std::int64_t value = scanIntegerPrefix(text.substr(blanks)).value;
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

std::optional<float> parseDecimalFloat(std::string_view text) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+')
        ++first;
    // from_chars also takes "inf", "nan" and hex floats in general mode; a decimal number is
    // plain, so refuse anything but digits, sign, point and exponent.
    for (const char* p = first; p != last; ++p) {
        char c = *p;
        if (!isDigit(c) && c != '.' && c != '-' && c != 'e' && c != 'E' && c != '+')
            return std::nullopt;
    }
    float value = 0.0f;
    auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (first == last || error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<FloatPrefix> scanFloatPrefix(std::string_view text) {
    // strtof needs its text terminated; the copy ends where the view does.
    std::string terminated(text);
    char* end = nullptr;
    float value = std::strtof(terminated.c_str(), &end);
    if (end == terminated.c_str())
        return std::nullopt;
    return FloatPrefix{value, static_cast<std::size_t>(end - terminated.c_str())};
}

std::string formatFloat7(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.7g", static_cast<double>(value));
    return buffer;
}

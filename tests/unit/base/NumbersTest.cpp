#include "base/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

TEST(Numbers, SettingsConversions) {
    EXPECT_EQ(convertAtoi("  -12abc"), -12);
    EXPECT_EQ(convertAtoi("abc"), 0);
    EXPECT_EQ(convertAtoi("99999999999999999999"), 2147483647);
    EXPECT_EQ(parseDecimalFloat("1.5"), 1.5f);
    EXPECT_EQ(parseDecimalFloat("-2e1"), -20.0f);
    EXPECT_EQ(parseDecimalFloat(".5"), 0.5f);
    EXPECT_FALSE(parseDecimalFloat("").has_value());
    EXPECT_FALSE(parseDecimalFloat(".").has_value());
    EXPECT_FALSE(parseDecimalFloat("nan").has_value());
    EXPECT_FALSE(parseDecimalFloat("inf").has_value());
    EXPECT_FALSE(parseDecimalFloat("1e99").has_value());
    EXPECT_EQ(formatFloat7(1.0f), "1");
    EXPECT_EQ(formatFloat7(0.5f), "0.5");
    EXPECT_EQ(formatFloat7(1.25f), "1.25");
    EXPECT_EQ(formatFloat7(0.1f), "0.1");
}

TEST(Numbers, AwkwardSettingsTextsKeepTheirReadings) {
    // The whole numbers read as C's atoi would, with saturation instead of overflow.
    const std::pair<const char*, int> integers[] = {
        {"+5", 5},
        {" \t\n\v\f\r7", 7},
        {"007", 7},
        {"12 34", 12},
        {"1e3", 1},
        {"", 0},
        {"-", 0},
        {"+-5", 0},
        {"- 5", 0},
        {"0x1A", 0},
        {"inf", 0},
        {"-0", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-2147483649", -2147483647 - 1},
        {"4294967297", 2147483647},
        {"-99999999999999999999", -2147483647 - 1},
    };
    for (auto [text, value] : integers)
        EXPECT_EQ(convertAtoi(text), value) << text;

    // Decimal numbers take the whole text; one leading '+' is dropped before the sign check.
    const std::pair<const char*, float> decimals[] = {
        {"+1.5", 1.5f},     {"+-1.5", -1.5f},  {"5.", 5.0f},
        {"1e+2", 100.0f},   {"1E2", 100.0f},   {"-0", -0.0f},
        {"007.50", 7.5f},   {"1e-40", 1e-40f}, {"3.4028235e38", 3.4028235e38f},
        {"0e999999", 0.0f},
    };
    for (auto [text, value] : decimals)
        EXPECT_EQ(parseDecimalFloat(text), value) << text;
    EXPECT_TRUE(std::signbit(*parseDecimalFloat("-0")));
    for (const char* refused : {"++1", "-+1", "--1", " 1", "1 ", "1e", "-", "+", "e5", "0x10",
                                "1,5", "1e-50", "3.5e38", "-inf", "infinity", "NaN", "1.5f"})
        EXPECT_FALSE(parseDecimalFloat(refused).has_value()) << refused;
}

TEST(Numbers, IntegerPrefixesTakeEveryDigitAndSaturate) {
    struct Case {
        const char* text;
        std::size_t signLength, digitCount;
        std::int64_t value;
    };
    const Case cases[] = {
        {"", 0, 0, 0},
        {"-", 1, 0, 0},
        {"+x", 1, 0, 0},
        {" 5", 0, 0, 0},
        {"--5", 1, 0, 0},
        {"007 8", 0, 3, 7},
        {"-12ab", 1, 2, -12},
        {"4294967295", 0, 10, 4294967295},
        {"4294967296", 0, 10, SATURATED_MAGNITUDE},
        {"+18446744073709551621", 1, 20, SATURATED_MAGNITUDE},
        {"-99999999999999999999999999", 1, 26, -SATURATED_MAGNITUDE},
    };
    for (const Case& c : cases) {
        IntegerPrefix number = scanIntegerPrefix(c.text);
        EXPECT_EQ(number.signLength, c.signLength) << c.text;
        EXPECT_EQ(number.digitCount, c.digitCount) << c.text;
        EXPECT_EQ(number.value, c.value) << c.text;
    }

    // A whole integer: a '+' may lead, and a '-' even after it, as the simulate input has it.
    const std::pair<const char*, std::int64_t> wholes[] = {
        {"0", 0},    {"-0", 0},    {"+7", 7},
        {"+-7", -7}, {"0042", 42}, {"-4294967297", -SATURATED_MAGNITUDE},
    };
    for (auto [text, value] : wholes)
        EXPECT_EQ(parseWholeInteger(text), value) << text;
    for (const char* refused :
         {"", "+", "-", "++7", "-+7", "--7", " 7", "7 ", "7x", "0x7", "1e3", "7.0"})
        EXPECT_FALSE(parseWholeInteger(refused).has_value()) << refused;
}

TEST(Numbers, FloatPrefixesReadAsCDoes) {
    struct Case {
        const char* text;
        float value;
        std::size_t length;
    };
    const Case cases[] = {
        {"1.5,2", 1.5f, 3},   {" +16x16", 16.0f, 4},   {"0x10x16", 16.0f, 4},
        {"2.4e1x", 24.0f, 5}, {"-1e99", -INFINITY, 5}, {"infinity!", INFINITY, 8},
    };
    for (const Case& c : cases) {
        std::optional<FloatPrefix> number = scanFloatPrefix(c.text);
        ASSERT_TRUE(number.has_value()) << c.text;
        EXPECT_EQ(number->value, c.value) << c.text;
        EXPECT_EQ(number->length, c.length) << c.text;
    }
    std::optional<FloatPrefix> nan = scanFloatPrefix("nan(12),1");
    ASSERT_TRUE(nan.has_value());
    EXPECT_TRUE(std::isnan(nan->value));
    EXPECT_EQ(nan->length, 7u);
    // The view's end is the text's end, even inside a longer string.
    EXPECT_EQ(scanFloatPrefix(std::string_view("123", 2))->length, 2u);
    for (const char* refused : {"", " ", "x1", "-", ",1", "e5"})
        EXPECT_FALSE(scanFloatPrefix(refused).has_value()) << refused;
}

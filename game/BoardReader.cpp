#include "game/BoardReader.h"

#include "base/Numbers.h"

#include <cstdio>
#include <limits>

namespace {

// A UTF-8 byte-order mark, which some editors put at the start of every text file.
constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";

} // namespace

std::string describeByte(char c) {
    char text[16];
    if (c > ' ' && c < 0x7f)
        std::snprintf(text, sizeof text, "'%c'", c);
    else
        std::snprintf(text, sizeof text, "byte 0x%02x", static_cast<unsigned char>(c));
    return text;
}

std::string describeCharacter(char c) {
    if (c == ' ')
        return "a blank";
    if (c == '\t')
        return "a tab";
    return describeByte(c);
}

int readHexDigit(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

BoardReader::BoardReader(const std::string& bytes) {
    text.reserve(bytes.size());
    std::size_t first =
        bytes.compare(0, BYTE_ORDER_MARK.size(), BYTE_ORDER_MARK) == 0 ? BYTE_ORDER_MARK.size() : 0;
    for (std::size_t i = first; i < bytes.size(); ++i)
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'))
            text.push_back(bytes[i]);
}

std::optional<std::int32_t> BoardReader::readInteger() {
    while (!atEnd() && isSpace(peek()))
        advance();
    // The sign and every digit are consumed, as a stream does, even when they make no 32-bit
    // number; none of them is a line end.
    IntegerPrefix number = scanIntegerPrefix(std::string_view(text).substr(pos));
    pos += number.signLength + number.digitCount;
    if (number.digitCount == 0 || number.value > std::numeric_limits<std::int32_t>::max() ||
        number.value < std::numeric_limits<std::int32_t>::min())
        return std::nullopt;
    return static_cast<std::int32_t>(number.value);
}

std::string_view BoardReader::readLine() {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos)
        end = text.size();
    std::string_view content(text.data() + pos, end - pos);
    pos = end;
    if (!atEnd())
        advance();
    return content;
}

void BoardReader::skipBlanks() {
    while (!atEnd() && isSpace(peek()) && peek() != '\n')
        advance();
}

void BoardReader::skipToDigit() {
    while (!atEnd() && !isDigit(peek()))
        advance();
}

void BoardReader::advance() {
    if (text[pos++] == '\n')
        ++lineNumber;
}

std::string_view BoardReader::lineBefore() const {
    std::size_t start = pos == 0 ? std::string::npos : text.rfind('\n', pos - 1);
    start = start == std::string::npos ? 0 : start + 1;
    return std::string_view(text).substr(start, pos - start);
}

#pragma once
// The bytes of a board file walked as a text stream reads them, counting lines for messages:
// the loader reads a board with it, and the diagnosis walks the same way to tell an author
// where a refused board went wrong.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A byte of a board's text for messages: "'x'" for a visible character, else "byte 0x07";
// the loader names every byte so.
std::string describeByte(char c);
// The same, but a blank or a tab named as such ("a blank", "a tab"), for the messages that
// explain where the loader's "byte 0x20" came from.
std::string describeCharacter(char c);

// The value of a wall grid's symbol, a hexadecimal digit in either case; -1 for any other.
int readHexDigit(char c);

class BoardReader {
public:
    // A byte-order mark at the start is skipped; a carriage return directly before a line
    // feed is part of the line end, not of the line.
    explicit BoardReader(const std::string& bytes);

    bool atEnd() const { return pos >= text.size(); }
    char peek() const { return text[pos]; }
    int line() const { return lineNumber; }

    // Formatted integer input: white space skipped, an optional sign, then digits. Nothing
    // when there are no digits or the value does not fit 32 bits.
    std::optional<std::int32_t> readInteger();
    // The rest of the current line; its line feed, if any, is consumed.
    std::string_view readLine();
    // Blanks that stand invisibly at the end of a line.
    void skipBlanks();
    // Everything up to the next decimal digit, or to the end.
    void skipToDigit();
    void advance();

    // The text from here to the end.
    std::string_view rest() const { return std::string_view(text).substr(pos); }
    // The text of the current line before the reading position.
    std::string_view lineBefore() const;

private:
    std::string text;
    std::size_t pos = 0;
    int lineNumber = 1;
};

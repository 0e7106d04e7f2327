#include "game/BoardDiagnosis.h"

#include "base/Numbers.h"
#include "game/Board.h"
#include "game/BoardReader.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace {

// What walking one grid found: nothing wrong, or a refusal with what it adds to the loader's
// line (empty when that line already says it all).
struct GridFinding {
    bool refused = false;
    std::string explanation;
};

GridFinding refusal(std::string explanation) {
    return {true, std::move(explanation)};
}

// A run of rows without a blank line among them, as an author lays out one grid.
struct Block {
    int firstLine = 0;
    std::int32_t rows = 0;
    bool allOfLength = true; // every row has `length` characters, blanks at the end aside
    bool isFollowed = false; // a blank line and more text come after it
};

bool isBlankLine(std::string_view line) {
    for (char c : line)
        if (!isSpace(c))
            return false;
    return true;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::size_t countTrailingBlanks(std::string_view text) {
    std::size_t count = 0;
    while (count < text.size() && isBlank(text[text.size() - 1 - count]))
        ++count;
    return count;
}

std::string nameRow(const char* grid, std::int32_t row, int line) {
    return std::string(grid) + " row " + std::to_string(row) + " (line " + std::to_string(line) +
           ")";
}

std::string countOf(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " of them " + (count == 1 ? one : many);
}

// "has 10 characters, 2 of them blanks at the end, expected 8": what makes up a row of the
// wrong length, where invisible characters are the usual reason.
std::string describeRowLength(const char* grid, std::int32_t row, int line, std::string_view text,
                              std::int32_t width) {
    if (text.empty())
        return nameRow(grid, row, line) + " is missing";
    std::size_t trailing = countTrailingBlanks(text);
    std::size_t tabs = 0;
    std::size_t blanks = 0;
    for (char c : text.substr(0, text.size() - trailing)) {
        tabs += c == '\t';
        blanks += c == ' ';
    }
    std::string description = nameRow(grid, row, line) + " has " + std::to_string(text.size()) +
                              (text.size() == 1 ? " character" : " characters");
    if (trailing > 0)
        description += ", " + countOf(trailing, "a blank at the end", "blanks at the end");
    if (tabs > 0)
        description += ", " + countOf(tabs, "a tab", "tabs");
    if (blanks > 0)
        description += ", " + countOf(blanks, "a blank", "blanks");
    return description + ", expected " + std::to_string(width);
}

// The rows of text from its start up to the first blank line.
Block findBlock(std::string_view text, int firstLine, std::size_t length) {
    Block block{firstLine, 0, true};
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (isBlankLine(line)) {
            block.isFollowed = !isBlankLine(text);
            break;
        }
        ++block.rows;
        if (line.size() - countTrailingBlanks(line) != length)
            block.allOfLength = false;
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return block;
}

// Rows of `columns` characters, `rows` of them, fit a header read the other way round.
std::optional<std::string> findSwappedHeader(std::string_view walls, int firstLine,
                                             std::int32_t rows, std::int32_t columns) {
    if (rows == columns)
        return std::nullopt;
    Block block = findBlock(walls, firstLine, static_cast<std::size_t>(rows));
    if (block.rows != columns || !block.allOfLength)
        return std::nullopt;
    return "the header is rows then columns: did you mean " + std::to_string(columns) + " " +
           std::to_string(rows) + "?";
}

// One row of a grid as the loader read it.
struct GridRow {
    int line;
    std::string_view text;
};

// Lines of text that look like grid rows: `length` characters, blanks at the end aside.
std::int32_t countRowLikeLines(std::string_view text, std::size_t length) {
    std::int32_t count = 0;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        count += line.size() - countTrailingBlanks(line) == length;
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return count;
}

// Walks a grid as the loader reads it, up to the row where the loader refuses it. An empty
// line where a row belongs is a missing row, unless enough rows follow it for this grid and
// the ones after it: then it stands among the rows. A symbol that is no hex digit is worth a
// line of its own only when the loader's "byte 0x09" hides a blank, a tab or another
// invisible character.
GridFinding walkGrid(BoardReader& reader, const char* grid, std::int32_t rows, std::int32_t columns,
                     std::int32_t rowsAfter, bool hexDigits, std::vector<GridRow>& read) {
    for (std::int32_t r = 1; r <= rows; ++r) {
        if (reader.atEnd())
            return refusal(nameRow(grid, r, reader.line()) + " is missing");
        int line = reader.line();
        std::string_view text = reader.readLine();
        if (text.empty() && countRowLikeLines(reader.rest(), static_cast<std::size_t>(columns)) >=
                                rows - r + 1 + rowsAfter)
            return refusal(nameRow(grid, r, line) +
                           " is an empty line: a grid's rows follow one another without one");
        if (text.size() != static_cast<std::size_t>(columns))
            return refusal(describeRowLength(grid, r, line, text, columns));
        read.push_back({line, text});
        for (std::int32_t c = 0; hexDigits && c < columns; ++c) {
            if (readHexDigit(text[c]) >= 0)
                continue;
            if (isBlank(text[c]) || !(text[c] > ' ' && text[c] < 0x7f))
                return refusal(nameRow(grid, r, line) + ", column " + std::to_string(c + 1) +
                               " is " + describeCharacter(text[c]) + ", not a hex digit");
            return refusal("");
        }
    }
    return {};
}

// A kinds grid without a start: letters where digits belong are the likely reason (an author
// writing S and G as show draws them).
std::optional<std::string> findLetterKind(const std::vector<GridRow>& kinds) {
    for (std::size_t r = 0; r < kinds.size(); ++r)
        for (std::size_t c = 0; c < kinds[r].text.size(); ++c)
            if (kinds[r].text[c] < '0' || kinds[r].text[c] > '4')
                return nameRow("kinds", static_cast<std::int32_t>(r + 1), kinds[r].line) +
                       ", column " + std::to_string(c + 1) + " is " +
                       describeCharacter(kinds[r].text[c]) +
                       ", not a kind: kinds are the digits 0 to 4, 1 for the start";
    return std::nullopt;
}

std::string describeExtraRows(const Block& block, std::int32_t rows) {
    return "the walls grid has " + std::to_string(block.rows) + " rows (lines " +
           std::to_string(block.firstLine) + " to " +
           std::to_string(block.firstLine + block.rows - 1) + "), the header says " +
           std::to_string(rows);
}

std::vector<std::string> explain(const std::string& line) {
    return line.empty() ? std::vector<std::string>{} : std::vector<std::string>{line};
}

} // namespace

std::vector<std::string> diagnoseBoardText(const std::string& bytes) {
    BoardReader reader(bytes);
    std::optional<std::int32_t> rows = reader.readInteger();
    std::optional<std::int32_t> columns = reader.readInteger();
    // The loader's own line says all about a header that is not two sizes.
    if (!rows || !columns || *rows <= 0 || *columns <= 0 ||
        std::int64_t{*rows} * *columns > BOARD_MAX_CELLS)
        return {};
    reader.skipBlanks();
    if (reader.atEnd() || reader.peek() != '\n')
        return {};
    reader.advance();
    if (std::optional<std::string> hint =
            findSwappedHeader(reader.rest(), reader.line(), *rows, *columns))
        return {*hint};
    // More rows in the walls grid than the header says push the rest of the file out of
    // place: the cause is named rather than the row where the loader notices.
    Block walls = findBlock(reader.rest(), reader.line(), static_cast<std::size_t>(*columns));
    // Without an empty line between them, both grids make one run of twice the rows.
    bool hasExtraRows = walls.isFollowed && walls.rows > *rows && walls.rows != 2 * *rows;
    std::string extraRows = hasExtraRows ? describeExtraRows(walls, *rows) : "";

    std::vector<GridRow> read;
    GridFinding finding = walkGrid(reader, "walls", *rows, *columns, *rows, true, read);
    if (finding.refused)
        return explain(extraRows.empty() ? finding.explanation : extraRows);
    reader.skipToDigit();
    if (reader.atEnd())
        return explain(extraRows);

    // The kinds grid begins at the first digit: whatever stands before it on its first row
    // is skipped as text between the grids, and the row comes out short.
    std::string_view skipped = reader.lineBefore();
    int firstLine = reader.line();
    read.clear();
    finding = walkGrid(reader, "kinds", *rows, *columns, 0, false, read);
    if (!finding.refused) {
        for (const GridRow& row : read)
            if (row.text.find('1') != std::string_view::npos)
                return {};
        return explain(findLetterKind(read).value_or(""));
    }
    if (!extraRows.empty())
        return {extraRows};
    if (!skipped.empty() && read.empty())
        return {nameRow("kinds", 1, firstLine) + " starts with " + describeCharacter(skipped[0]) +
                ", not a digit: the game skips it, since the kinds grid begins at the first " +
                "digit"};
    return explain(finding.explanation);
}

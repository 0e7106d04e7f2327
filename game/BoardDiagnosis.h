#pragma once
// A refused board file explained in the terms its author writes it in: which grid, which of
// its rows and what is wrong there. The loader keeps its own one line (the game prints it as
// designed); tirva-tool check adds these.

#include <string>
#include <vector>

// Why the loader refuses the board file of bytes, in grid terms, where that says more than
// the loader's line: a row of the walls or kinds grid that is missing, an empty line among a
// grid's rows, a row with the wrong number of characters (with the blanks at its end or the
// tabs among them), an invisible character where a hex digit belongs, text before the kinds
// grid's first digit, a header that fits the grids only when read the other way round, more
// rows than the header says, letters where kinds belong. Rows and columns count from 1, as
// the file's lines do, and each row is named with its line: "kinds row 4 (line 14) is
// missing". Each line is worded to follow "<path>: ". Empty when the loader accepts the bytes
// or its own line already says it all.
std::vector<std::string> diagnoseBoardText(const std::string& bytes);

#!/usr/bin/env python3
"""Turns a board drawing into a board file.

The drawing is what `tirva-tool show BOARD` prints, so a board is edited by drawing it:

    tirva-tool show "data/levs/05 slanted.lv" > board.txt
    (edit board.txt)
    python3 tools/content/compose.py board.txt > "data/levs/05 slanted.lv"

Every cell is three characters between its walls: "---" under a cell and "|" after it are
straight walls (the outline is always walled); "\\", "/" or "X" on both sides of the cell
are its diagonal walls; the middle character is its kind: " " (or ".") floor, "S" start,
"G" goal hole, "T" trap hole, "#" gap ("#" may fill the whole cell). A compact drawing
with one character per cell ("+-+-+" on top, "-" under a cell) is read as well; its
character is either the kind or the diagonal wall of a floor cell. The first line, when it
does not begin with "+", is the header `show` prints; only "time limit N s" (to the
hundredth of a second) and "follow view only" in it matter. Writes the board in the plain
layout, with the flag after the limit when set, to standard output or to the file named
by -o.
"""

import argparse
import re
import sys

KINDS = {" ": 0, ".": 0, "S": 1, "s": 1, "G": 2, "T": 3, "#": 4}
DIAGONALS = {" ": 0, "\\": 4, "/": 8, "X": 12}
WALL_NEXT_ROW = 1
WALL_NEXT_COLUMN = 2


class DrawingError(Exception):
    pass


def read_header(line):
    """Time limit in ms (-1 for none) and the follow-view-only flag from a `show` header."""
    limit = -1
    found = re.search(r"time limit ([0-9]+(?:\.[0-9]+)?) s", line)
    if found:
        limit = round(float(found.group(1)) * 1000)
    return limit, "follow view only" in line


def read_cell(text, row, column):
    """Wall bits (diagonals only) and kind of one cell from its one or three characters."""
    if len(text) == 1:
        if text in DIAGONALS:
            return DIAGONALS[text], 0
        text = " " + text + " "
    left, middle, right = text
    if middle == "#":
        left, right = left.replace("#", " "), right.replace("#", " ")
    if left != right:
        raise DrawingError(f"cell ({column}, {row}): sides {left!r} and {right!r} differ")
    side = left
    if side not in DIAGONALS or middle not in KINDS:
        raise DrawingError(f"cell ({column}, {row}): unknown symbols {text!r}")
    return DIAGONALS[side], KINDS[middle]


def parse_drawing(text):
    """(walls, kinds, limit, followOnly) from a drawing; walls and kinds are lists of rows."""
    lines = [line.rstrip() for line in text.splitlines() if line.strip()]
    limit, follow_only = -1, False
    if lines and not lines[0].startswith("+"):
        limit, follow_only = read_header(lines.pop(0))
    if len(lines) < 3 or len(lines) % 2 == 0:
        raise DrawingError("expected a border line, then a cell line and a border line per row")
    step = lines[0].find("+", 1)
    if step not in (2, 4):
        raise DrawingError("the top border must be '+' followed by '---+' or '-+' per column")
    size = step - 1
    width = (len(lines[0]) - 1) // step
    walls, kinds = [], []
    for row in range((len(lines) - 1) // 2):
        cells, border = lines[2 * row + 1], lines[2 * row + 2]
        if len(cells) != step * width + 1 or len(border) != step * width + 1:
            raise DrawingError(f"row {row}: lines must be {step * width + 1} characters long")
        wall_row, kind_row = [], []
        for column in range(width):
            first = step * column + 1
            diagonal, kind = read_cell(cells[first : first + size], row, column)
            separator, under = cells[first + size], border[first : first + size]
            if separator not in " |" or under not in (" " * size, "-" * size):
                raise DrawingError(f"cell ({column}, {row}): walls must be '|' or '-' lines")
            mask = diagonal
            if separator == "|":
                mask |= WALL_NEXT_COLUMN
            if under == "-" * size:
                mask |= WALL_NEXT_ROW
            wall_row.append(mask)
            kind_row.append(kind)
        walls.append(wall_row)
        kinds.append(kind_row)
    # The outline is always walled; its bits would only be noise in the file.
    for row in walls:
        row[-1] &= ~WALL_NEXT_COLUMN
    walls[-1] = [mask & ~WALL_NEXT_ROW for mask in walls[-1]]
    return walls, kinds, limit, follow_only


def format_board(walls, kinds, limit, follow_only):
    """The board file text in the plain layout, with the flag after the limit when set."""
    out = [f"{len(walls)} {len(walls[0])}"]
    out += ["".join(f"{mask:x}" for mask in row) for row in walls]
    out.append("")
    out += ["".join(str(kind) for kind in row) for row in kinds]
    if limit >= 0 or follow_only:
        out += ["", f"{limit} 1" if follow_only else str(limit)]
    return "\n".join(out) + "\n"


def main():
    parser = argparse.ArgumentParser(description="Turn a board drawing into a board file.")
    parser.add_argument("drawing", help="drawing file, or - for standard input")
    parser.add_argument("-o", "--output", help="board file to write (default: standard output)")
    args = parser.parse_args()
    text = sys.stdin.read() if args.drawing == "-" else open(args.drawing).read()
    try:
        board = format_board(*parse_drawing(text))
    except DrawingError as error:
        print(f"compose: {args.drawing}: {error}", file=sys.stderr)
        return 1
    if args.output:
        with open(args.output, "w") as out:
            out.write(board)
    else:
        sys.stdout.write(board)
    return 0


if __name__ == "__main__":
    sys.exit(main())

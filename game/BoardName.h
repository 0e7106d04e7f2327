#pragma once
// What the player knows a board file by, in the lists and at the start of play: its file's
// name without the extension, lower-cased, as the segment font draws only small letters.

#include <string>

// The last component of path without its last three characters (the ".lv" of the usual
// names), 'A' to 'Z' lower-cased.
std::string nameBoardFile(const std::string& path);

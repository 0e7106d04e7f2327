#pragma once
// The two screens that offer the boards under "levs": the board list (single boards, then
// packs, each pack opening the boards of it already finished) and the pack list (a pack is
// played from its first board for as long as the player asks for the next one).

#include "menus/LevelLists.h"

#include <cstdint>
#include <string>
#include <vector>

class MenuHost;

// Shows list until Escape, or until Return on an empty list.
void runBoardList(BoardList& list, MenuHost& host);
// Plays the board at index, or opens the pack there; false closes the list.
bool activateBoardEntry(BoardList& list, std::uint32_t index, MenuHost& host);

// Shows list until Escape.
void runPackList(PackList& list, MenuHost& host);
// Plays paths one after another until the player leaves instead of asking for the next.
void playPack(const std::vector<std::string>& paths, MenuHost& host);

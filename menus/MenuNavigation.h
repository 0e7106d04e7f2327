#pragma once
// The key rules every menu shares, free of events and drawing: Down and Up move the selected
// line with wrap-around, Escape leaves, and the rest goes to the selected item (item menus)
// or activates the selected line on Return or Space (list screens).

#include <cstddef>
#include <cstdint>

enum class MenuShape { List, ItemMenu };

enum class MenuKeyAction {
    None,      // handled here (a move) or ignored
    Leave,     // Escape: the loop returns, leaving later events queued
    Activate,  // list screen: Return or Space on the selected line
    PassToItem // item menu: the selected item's handleKey decides
};

// Applies key to selected (a line of lineCount) and says what the loop does next. An empty
// list keeps line 0 selected.
MenuKeyAction routeMenuKey(MenuShape shape, int key, std::uint32_t& selected,
                           std::size_t lineCount);

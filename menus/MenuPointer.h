#pragma once
// The pointer in the menus: pointing at a line selects it, a left click acts on it as Return
// would (on an item's value as Right would), the wheel moves as Up and Down do, and the right
// button goes back as Escape does. Each screen says which of its lines stands where
// (render/MenuLayout, the numbers its drawing uses); the loops hand the key an event stands
// for on like a key pressed.

#include "render/MenuLayout.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

struct InputEvent;

// A line of a menu under the pointer, and whether the pointer is on the line's value.
struct MenuTarget {
    std::uint32_t line;
    bool onValue;
};
// The line at a point of the menu's coordinates, if any.
using MenuHitTest = std::function<std::optional<MenuTarget>(MenuPoint point)>;

// Applies a pointer event at point to selected and gives the key it stands for, if any. An
// empty hitTest finds no line: the wheel and the right button still work.
std::optional<int> routeMenuPointer(const InputEvent& event, MenuPoint point,
                                    const MenuHitTest& hitTest, std::uint32_t& selected);

// The line of lines (drawn from the first shown, which is entry first) at point.
std::optional<MenuTarget> findLineAt(const std::vector<MenuLine>& lines, std::uint32_t first,
                                     MenuPoint point);
// The entry of a scrolling list of count entries at point, the window of rows lines showing
// the entries from top.
std::optional<MenuTarget> findListEntryAt(std::uint32_t top, std::size_t count, std::size_t rows,
                                          MenuPoint point);
// The row of an item menu at point, on its label or its value.
std::optional<MenuTarget> findItemAt(const ItemMenuLayout& layout, MenuPoint point);

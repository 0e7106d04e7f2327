#include "menus/MenuNavigation.h"

#include "base/KeyCodes.h"

MenuKeyAction routeMenuKey(MenuShape shape, int key, std::uint32_t& selected,
                           std::size_t lineCount) {
    const auto last = static_cast<std::uint32_t>(lineCount == 0 ? 0 : lineCount - 1);
    if (key == KEY_DOWN) {
        selected = selected >= last ? 0 : selected + 1;
        return MenuKeyAction::None;
    }
    if (key == KEY_UP) {
        selected = (selected == 0 || selected > last) ? last : selected - 1;
        return MenuKeyAction::None;
    }
    if (key == KEY_ESCAPE)
        return MenuKeyAction::Leave;
    if (shape == MenuShape::ItemMenu)
        return MenuKeyAction::PassToItem;
    if (key == KEY_RETURN || key == KEY_SPACE)
        return MenuKeyAction::Activate;
    return MenuKeyAction::None;
}

#include "menus/MenuPointer.h"

#include "base/InputDevice.h"
#include "base/KeyCodes.h"

std::optional<int> routeMenuPointer(const InputEvent& event, MenuPoint point,
                                    const MenuHitTest& hitTest, std::uint32_t& selected) {
    const bool isPointer =
        event.kind == InputEvent::Kind::MouseMotion || event.kind == InputEvent::Kind::MouseButton;
    if (!isPointer)
        return std::nullopt;
    std::optional<MenuTarget> target;
    if (hitTest)
        target = hitTest(point);
    if (event.kind == InputEvent::Kind::MouseMotion) {
        if (target)
            selected = target->line;
        return std::nullopt;
    }
    switch (event.button) {
    case MOUSE_LEFT:
        if (!target)
            return std::nullopt;
        selected = target->line;
        return target->onValue ? KEY_RIGHT : KEY_RETURN;
    case MOUSE_RIGHT:
        return KEY_ESCAPE;
    case MOUSE_WHEEL_UP:
        return KEY_UP;
    case MOUSE_WHEEL_DOWN:
        return KEY_DOWN;
    default:
        return std::nullopt;
    }
}

std::optional<MenuTarget> findLineAt(const std::vector<MenuLine>& lines, std::uint32_t first,
                                     MenuPoint point) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].area.contains(point))
            return MenuTarget{first + static_cast<std::uint32_t>(i), false};
    return std::nullopt;
}

std::optional<MenuTarget> findListEntryAt(std::uint32_t top, std::size_t count, std::size_t rows,
                                          MenuPoint point) {
    std::vector<MenuLine> lines;
    for (std::size_t row = 0; row < rows && top + row < count; ++row)
        lines.push_back(placeListLine(row));
    return findLineAt(lines, top, point);
}

std::optional<MenuTarget> findItemAt(const ItemMenuLayout& layout, MenuPoint point) {
    for (std::size_t i = 0; i < layout.rows.size(); ++i) {
        const ItemRow& row = layout.rows[i];
        if (row.label.area.contains(point))
            return MenuTarget{static_cast<std::uint32_t>(i), false};
        if (row.valueArea.contains(point))
            return MenuTarget{static_cast<std::uint32_t>(i), true};
    }
    return std::nullopt;
}

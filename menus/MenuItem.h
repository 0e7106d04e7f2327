#pragma once
// One editable value or action of an item menu; the kinds of value are in MenuItemKinds.h.
// Items are members of the menu that owns them and are never deleted through this class.

#include <cstdint>
#include <string>
#include <vector>

class MenuPainter;

class MenuItem {
public:
    // key is an SDL 1.2 key symbol the menu itself does not use; false asks the menu to close.
    virtual bool handleKey(int key) = 0;
    // Draws the value from the painter's current origin.
    virtual void draw(MenuPainter& painter) = 0;

protected:
    ~MenuItem() = default;
};

// A labelled line of an item menu; the item belongs to the same menu object.
struct MenuEntry {
    std::string label;
    MenuItem& item;
};

using MenuEntries = std::vector<MenuEntry>;

// The entries' labels in menu order, as the item menus draw them.
inline std::vector<std::string> collectLabels(const MenuEntries& entries) {
    std::vector<std::string> labels;
    for (const MenuEntry& entry : entries)
        labels.push_back(entry.label);
    return labels;
}

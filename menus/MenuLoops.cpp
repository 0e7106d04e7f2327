#include "menus/MenuLoops.h"

#include "base/InputDevice.h"
#include "menus/MenuNavigation.h"

namespace {

// Takes the key presses of one event; false when the loop returns.
using KeyHandler = std::function<bool(int key)>;

// False when the loop returns: the events still queued stay for the next screen. A resized
// window gets a display of its new size; the menus draw into the whole of it.
bool handleEvent(InputDevice& device, const InputEvent& event, const KeyHandler& handleKey) {
    switch (event.kind) {
    case InputEvent::Kind::Resize:
        device.reopenWindow(event.x, event.y);
        return true;
    case InputEvent::Kind::KeyPress:
        return handleKey(event.key);
    default:
        return true;
    }
}

// No frame timer: the screen is drawn again only once the queue is empty. Keys held when the
// screen first shows do nothing on it until pressed again; nor, once it closes, on the screen
// that shows again behind it.
void pumpEvents(InputDevice& device, const MenuRedraw& redraw, const KeyHandler& handleKey) {
    for (bool shown = false;; shown = true) {
        redraw();
        if (!shown)
            device.ignoreHeldKeys();
        InputEvent event;
        device.waitEvent(event);
        do {
            if (!handleEvent(device, event, handleKey)) {
                device.ignoreHeldKeys();
                return;
            }
        } while (device.pollEvent(event));
    }
}

} // namespace

void runListScreen(InputDevice& device, std::uint32_t& selected, std::size_t lineCount,
                   const MenuRedraw& redraw, const MenuActivate& activate) {
    pumpEvents(device, redraw, [&](int key) {
        switch (routeMenuKey(MenuShape::List, key, selected, lineCount)) {
        case MenuKeyAction::Leave:
            return false;
        case MenuKeyAction::Activate:
            return activate(selected);
        default:
            return true;
        }
    });
}

void runItemMenu(InputDevice& device, MenuEntries& items, std::uint32_t& selected,
                 const MenuRedraw& redraw) {
    pumpEvents(device, redraw, [&](int key) {
        switch (routeMenuKey(MenuShape::ItemMenu, key, selected, items.size())) {
        case MenuKeyAction::Leave:
            return false;
        case MenuKeyAction::PassToItem:
            return items[selected].item.handleKey(key);
        default:
            return true;
        }
    });
}

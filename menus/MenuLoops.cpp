#include "menus/MenuLoops.h"

#include "base/InputDevice.h"
#include "base/KeyCodes.h"
#include "menus/MenuHost.h"
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

// No frame timer: the screen is drawn again only once the queue is empty.
void pumpEvents(InputDevice& device, const MenuRedraw& redraw, const KeyHandler& handleKey) {
    for (;;) {
        redraw();
        InputEvent event;
        device.waitEvent(event);
        do {
            if (!handleEvent(device, event, handleKey))
                return;
        } while (device.pollEvent(event));
    }
}

void hear(const MenuSoundCue& cue, MenuSound sound) {
    if (cue)
        cue(sound);
}

// The sound of a key an item menu hands to its item.
void hearItemKey(const MenuSoundCue& cue, int key) {
    if (key == KEY_LEFT || key == KEY_RIGHT)
        hear(cue, MenuSound::Move);
    else if (key == KEY_RETURN || key == KEY_SPACE)
        hear(cue, MenuSound::Pick);
}

} // namespace

MenuSoundCue cueMenuSounds(MenuHost& host) {
    return [&host](MenuSound sound) { host.playMenuSound(sound); };
}

void runListScreen(InputDevice& device, std::uint32_t& selected, std::size_t lineCount,
                   const MenuRedraw& redraw, const MenuActivate& activate,
                   const MenuSoundCue& cue) {
    pumpEvents(device, redraw, [&](int key) {
        const std::uint32_t before = selected;
        switch (routeMenuKey(MenuShape::List, key, selected, lineCount)) {
        case MenuKeyAction::Leave:
            return false;
        case MenuKeyAction::Activate:
            hear(cue, MenuSound::Pick);
            return activate(selected);
        default:
            if (selected != before)
                hear(cue, MenuSound::Move);
            return true;
        }
    });
}

void runItemMenu(InputDevice& device, MenuEntries& items, std::uint32_t& selected,
                 const MenuRedraw& redraw, const MenuSoundCue& cue) {
    pumpEvents(device, redraw, [&](int key) {
        const std::uint32_t before = selected;
        switch (routeMenuKey(MenuShape::ItemMenu, key, selected, items.size())) {
        case MenuKeyAction::Leave:
            return false;
        case MenuKeyAction::PassToItem:
            hearItemKey(cue, key);
            return items[selected].item.handleKey(key);
        default:
            if (selected != before)
                hear(cue, MenuSound::Move);
            return true;
        }
    });
}

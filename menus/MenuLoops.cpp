#include "menus/MenuLoops.h"

#include "base/InputDevice.h"
#include "base/KeyCodes.h"
#include "menus/MenuHost.h"
#include "menus/MenuNavigation.h"

namespace {

// Takes the key presses of one event; false when the loop returns.
using KeyHandler = std::function<bool(int key)>;

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

// The pointer's side of a menu: where its lines are, the line it selects, and who hears the
// selection follow it.
struct Pointing {
    const MenuHitTest& hitTest;
    std::uint32_t& selected;
    const MenuSoundCue& cue;
};

// False when the loop returns: the events still queued stay for the next screen. A resized
// window gets a display of its new size; the menus draw into the whole of it. A pointer event
// that stands for a key is handled as that key.
bool handleEvent(InputDevice& device, const InputEvent& event, const KeyHandler& handleKey,
                 const Pointing& pointing) {
    switch (event.kind) {
    case InputEvent::Kind::Resize:
        device.reopenWindow(event.x, event.y);
        return true;
    case InputEvent::Kind::KeyPress:
        return handleKey(event.key);
    case InputEvent::Kind::MouseMotion:
    case InputEvent::Kind::MouseButton: {
        const MenuPoint point =
            toMenuPoint(event.x, event.y, device.windowWidth(), device.windowHeight());
        const std::uint32_t before = pointing.selected;
        std::optional<int> key =
            routeMenuPointer(event, point, pointing.hitTest, pointing.selected);
        if (key)
            return handleKey(*key);
        // Pointing is heard only when it moves the selection, not at every motion over a line.
        if (pointing.selected != before)
            hear(pointing.cue, MenuSound::Move);
        return true;
    }
    default:
        return true;
    }
}

// No frame timer: the screen is drawn again only once the queue is empty. Keys held when the
// screen first shows do nothing on it until pressed again; nor, once it closes, on the screen
// that shows again behind it.
void pumpEvents(InputDevice& device, const MenuRedraw& redraw, const KeyHandler& handleKey,
                const Pointing& pointing) {
    for (bool shown = false;; shown = true) {
        redraw();
        if (!shown)
            device.ignoreHeldKeys();
        InputEvent event;
        device.waitEvent(event);
        do {
            if (!handleEvent(device, event, handleKey, pointing)) {
                device.ignoreHeldKeys();
                return;
            }
        } while (device.pollEvent(event));
    }
}

} // namespace

MenuSoundCue cueMenuSounds(MenuHost& host) {
    return [&host](MenuSound sound) { host.playMenuSound(sound); };
}

void runListScreen(InputDevice& device, std::uint32_t& selected, std::size_t lineCount,
                   const MenuRedraw& redraw, const MenuActivate& activate,
                   const MenuHitTest& hitTest, const MenuSoundCue& cue) {
    const KeyHandler handleKey = [&](int key) {
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
    };
    pumpEvents(device, redraw, handleKey, {hitTest, selected, cue});
}

void runItemMenu(InputDevice& device, MenuEntries& items, std::uint32_t& selected,
                 const MenuRedraw& redraw, const MenuHitTest& hitTest, const MenuSoundCue& cue) {
    const KeyHandler handleKey = [&](int key) {
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
    };
    pumpEvents(device, redraw, handleKey, {hitTest, selected, cue});
}

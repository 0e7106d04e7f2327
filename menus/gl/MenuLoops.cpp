#include "menus/gl/MenuLoops.h"

#include "app/gl/Display.h"
#include "app/gl/Music.h"
#include "menus/MenuNavigation.h"
#include "render/gl/GlState.h"
#include "render/gl/MenuBackground.h"

#include <SDL.h>

#include <cstdlib>

namespace {

// Takes the key presses of one event; false when the loop returns.
using KeyHandler = std::function<bool(int key)>;

// A resized window gets a display of its new size; the menus draw into the whole of it.
void followWindowSize(int width, int height) {
    reopenDisplay(width, height, false);
    reloadMenuBackground();
    useMenuState();
}

// False when the loop returns: the events still queued stay for the next screen.
bool handleEvent(const SDL_Event& event, const KeyHandler& handleKey) {
    if (handleMusicEvent(event))
        return true;
    switch (event.type) {
    case SDL_QUIT:
        std::exit(0);
    case SDL_VIDEORESIZE:
        followWindowSize(event.resize.w, event.resize.h);
        return true;
    case SDL_KEYDOWN:
        return handleKey(event.key.keysym.sym);
    default:
        return true;
    }
}

// No frame timer: the screen is drawn again only once the queue is empty.
void pumpEvents(const MenuRedraw& redraw, const KeyHandler& handleKey) {
    for (;;) {
        redraw();
        SDL_Event event;
        if (!SDL_WaitEvent(&event))
            continue;
        do {
            if (!handleEvent(event, handleKey))
                return;
        } while (SDL_PollEvent(&event));
    }
}

} // namespace

void runListScreen(std::uint32_t& selected, std::size_t lineCount, const MenuRedraw& redraw,
                   const MenuActivate& activate) {
    pumpEvents(redraw, [&](int key) {
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

void runItemMenu(MenuEntries& items, std::uint32_t& selected, const MenuRedraw& redraw) {
    pumpEvents(redraw, [&](int key) {
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

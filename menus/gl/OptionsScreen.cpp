#include "menus/gl/OptionsScreen.h"

#include "menus/MenuHost.h"
#include "menus/MenuLoops.h"
#include "menus/OptionsMenu.h"
#include "render/gl/MenuFrames.h"

void runOptionsMenu(OptionsMenu& menu, MenuHost& host) {
    menu.selected = 0;
    runItemMenu(
        host.inputDevice(), menu.items, menu.selected,
        [&menu] {
            drawOptionsMenuFrame(
                collectLabels(menu.items), menu.selected,
                [&menu](std::size_t i, MenuPainter& painter) { menu.items[i].item.draw(painter); });
        },
        cueMenuSounds(host));
    host.applyOptions(menu);
}

#include "menus/gl/OptionsScreen.h"

#include "menus/ItemValueLines.h"
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
                layOutItems(menu.items, OPTIONS_MENU_SHAPE), collectLabels(menu.items),
                menu.selected,
                [&menu](std::size_t i, MenuPainter& painter) { menu.items[i].item.draw(painter); },
                menu.describeSelected(), menu.describeKeys());
        },
        [&menu](MenuPoint point) {
            return findItemAt(layOutItems(menu.items, OPTIONS_MENU_SHAPE), point);
        },
        cueMenuSounds(host));
    host.applyOptions(menu);
}

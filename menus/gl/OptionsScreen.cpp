#include "menus/gl/OptionsScreen.h"

#include "menus/ItemValueLines.h"
#include "menus/MenuHost.h"
#include "menus/MenuLoops.h"
#include "menus/OptionsMenu.h"
#include "render/gl/MenuFrames.h"

// The pointer finds the rows where the last frame drew them.
void runOptionsMenu(OptionsMenu& menu, MenuHost& host) {
    menu.selected = 0;
    ItemMenuLayout shown;
    runItemMenu(
        host.inputDevice(), menu.items, menu.selected,
        [&menu, &shown] {
            shown = layOutItems(menu.items, OPTIONS_MENU_SHAPE);
            drawOptionsMenuFrame(
                shown, collectLabels(menu.items), menu.selected,
                [&menu](std::size_t i, MenuPainter& painter) { menu.items[i].item.draw(painter); },
                menu.describeSelected(), menu.describeKeys());
        },
        [&shown](MenuPoint point) { return findItemAt(shown, point); }, cueMenuSounds(host));
    host.applyOptions(menu);
}

#pragma once
// The two event loops every screen outside play runs: draw, block for one event, handle it
// and every event already queued, draw again. There is no frame timer: a screen changes only
// when the player does something.

#include "menus/MenuItem.h"
#include "menus/MenuPointer.h"

#include <cstddef>
#include <cstdint>
#include <functional>

class InputDevice;
class MenuHost;

// Draws one whole frame and shows it.
using MenuRedraw = std::function<void()>;
// Acts on the selected line; false closes the list.
using MenuActivate = std::function<bool(std::uint32_t selected)>;

// What the player hears of a menu: the highlight moving to another line or value, and a line
// picked with Return or Space.
enum class MenuSound { Move, Pick };
using MenuSoundCue = std::function<void(MenuSound sound)>;
// The cue that plays the running game's menu sounds.
MenuSoundCue cueMenuSounds(MenuHost& host);

// A column of lineCount texts: Down and Up move selected, Return or Space activate it,
// Escape returns. The caller resets selected where its screen wants that. A resized window
// is re-opened at its new size. The pointer acts as MenuPointer.h says, on the lines
// hitTest finds where the screen was last drawn. cue hears a move of the selection (by a key,
// the wheel or pointing at another line) and a line activated (by a key or a click).
void runListScreen(InputDevice& device, std::uint32_t& selected, std::size_t lineCount,
                   const MenuRedraw& redraw, const MenuActivate& activate,
                   const MenuHitTest& hitTest = {}, const MenuSoundCue& cue = {});

// Labelled items: Down and Up move selected, Escape returns, every other key goes to the
// selected item, which may ask the menu to close. A resized window is re-opened too, and the
// pointer acts as in a list. cue hears a move of the selection, Left and Right (which choose
// an item's value) as moves, and Return and Space (which start what a line starts) as picks;
// a click is heard as the key it stands for.
void runItemMenu(InputDevice& device, MenuEntries& items, std::uint32_t& selected,
                 const MenuRedraw& redraw, const MenuHitTest& hitTest = {},
                 const MenuSoundCue& cue = {});

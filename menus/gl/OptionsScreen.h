#pragma once
// The options menu on screen: shown until Escape, then the game applies its values and
// writes the whole settings file.

class MenuHost;
class OptionsMenu;

void runOptionsMenu(OptionsMenu& menu, MenuHost& host);

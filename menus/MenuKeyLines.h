#pragma once
// What each screen outside play says about its keys: one line in the words of play's hint
// lines, a key and what it does, three spaces apart. An item menu names the keys of its
// selected line.

#include <string>

// How the selected line of an item menu takes its value: Return acts, Left and Right step
// through its choices, or digits type it.
enum class ItemEdit { Act, Step, Type };

std::string describeMainMenuKeys();
std::string describeListKeys();
// back: what Escape does there ("back", or "save and back" where leaving saves).
std::string describeItemMenuKeys(ItemEdit edit, const std::string& back);
std::string describeCreditsKeys();

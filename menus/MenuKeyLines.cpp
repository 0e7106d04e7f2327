#include "menus/MenuKeyLines.h"

namespace {

// Wide gaps keep each key and what it does together, as in play's hint lines.
constexpr const char* GAP = "   ";
constexpr const char* CHOOSE = "up down choose";

std::string joinKeys(const std::string& first, const std::string& second,
                     const std::string& third) {
    return first + GAP + second + GAP + third;
}

std::string describeEdit(ItemEdit edit) {
    switch (edit) {
    case ItemEdit::Act:
        return "return play";
    case ItemEdit::Step:
        return "left right change";
    case ItemEdit::Type:
        return "type a number";
    }
    return "";
}

} // namespace

std::string describeMainMenuKeys() {
    return joinKeys(CHOOSE, "return pick", "esc quit");
}

std::string describeListKeys() {
    return joinKeys(CHOOSE, "return pick", "esc back");
}

std::string describeItemMenuKeys(ItemEdit edit, const std::string& back) {
    return joinKeys(CHOOSE, describeEdit(edit), "esc " + back);
}

std::string describeCreditsKeys() {
    return "esc return space or a click end the credits";
}

#include "base/HeldKeys.h"

#include <algorithm>

void HeldKeys::ignore(const std::vector<int>& keysDown) {
    ignored = keysDown;
}

bool HeldKeys::admit(const InputEvent& event) {
    const bool isKey =
        event.kind == InputEvent::Kind::KeyPress || event.kind == InputEvent::Kind::KeyRelease;
    if (!isKey)
        return true;
    const auto found = std::find(ignored.begin(), ignored.end(), event.key);
    if (found == ignored.end())
        return true;
    if (event.kind == InputEvent::Kind::KeyPress)
        return false;
    ignored.erase(found);
    return true;
}

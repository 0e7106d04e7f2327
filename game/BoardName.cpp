#include "game/BoardName.h"

std::string nameBoardFile(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    name.resize(name.size() > 3 ? name.size() - 3 : 0);
    // The game never changes the C locale, whose lower-case mapping touches only 'A' to 'Z'.
    for (char& c : name)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return name;
}

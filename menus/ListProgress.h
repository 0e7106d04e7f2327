#pragma once
// What the lines of a list show at their right, worked out when a line first comes into view
// and kept while the list is shown: a redraw reads no file, each pack's "info.txt" is read
// once a visit, and what is kept is one short text per line seen.

#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>

class ListProgress {
public:
    using Describe = std::function<std::string(std::size_t index)>;

    explicit ListProgress(Describe describeLine);

    // What line index shows: described on the first call, kept afterwards.
    const std::string& describe(std::size_t index);
    // Described anew when next shown: a board was played meanwhile.
    void forget();

private:
    Describe describeLine;
    std::unordered_map<std::size_t, std::string> known;
};

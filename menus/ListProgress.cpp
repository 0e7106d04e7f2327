#include "menus/ListProgress.h"

#include <utility>

ListProgress::ListProgress(Describe describeLine) : describeLine(std::move(describeLine)) {}

const std::string& ListProgress::describe(std::size_t index) {
    auto found = known.find(index);
    if (found == known.end())
        found = known.emplace(index, describeLine(index)).first;
    return found->second;
}

void ListProgress::forget() {
    known.clear();
}

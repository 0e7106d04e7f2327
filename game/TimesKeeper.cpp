#include "game/TimesKeeper.h"

#include "base/FileIO.h"

#include <utility>

TimesKeeper::TimesKeeper(BestTimes& table, std::string path)
    : table(table), path(std::move(path)) {}

void TimesKeeper::saveNewTime() {
    table.save(path);
}

// Every save enters all the times the file lacks, so times wait exactly while the latest
// save failed: a check that costs nothing, for a list that asks at every frame.
bool TimesKeeper::isWaiting() const {
    return table.lastSaveFailure() != BestTimes::SaveFailure::None;
}

void TimesKeeper::retry() {
    if (isWaiting())
        table.save(path, {RETRY_LOCK_WAIT_MS, true});
}

bool TimesKeeper::saveBeforeExit() {
    return !table.hasUnsavedTimes() || table.save(path, {EXIT_LOCK_WAIT_MS, true});
}

std::string TimesKeeper::describeUnsaved() const {
    if (!isWaiting())
        return "";
    return "best time not saved yet: " + describeReason();
}

std::string TimesKeeper::describeLost() const {
    return "best time not saved: " + describeReason();
}

std::string TimesKeeper::describeReason() const {
    switch (table.lastSaveFailure()) {
    case BestTimes::SaveFailure::LockBusy:
        return path + " is locked by another program";
    case BestTimes::SaveFailure::Unreadable:
        return path + " cannot be read";
    case BestTimes::SaveFailure::TooLarge:
        return path + " would grow past " + describeByteCount(BestTimes::MAX_FILE_BYTES);
    case BestTimes::SaveFailure::WriteFailed:
        return path + " cannot be written";
    case BestTimes::SaveFailure::None:
        break;
    }
    return path + " is not written yet";
}

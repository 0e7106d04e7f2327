#include "base/Settings.h"

#include "base/FileIO.h"
#include "base/FileLock.h"
#include "base/Numbers.h"

#include <boost/spirit/home/x3.hpp>

#include <cstdio>

namespace {

namespace x3 = boost::spirit::x3;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string trimTrailingBlanks(std::string text) {
    while (!text.empty() && isBlank(text.back()))
        text.pop_back();
    return text;
}

} // namespace

Settings::Settings(const std::string& fileName) {
    load(fileName);
}

std::string& Settings::valueOf(const std::string& key) {
    return entries_[key];
}

bool Settings::load(const std::string& fileName) {
    FileRead file = readFile(fileName, MAX_FILE_BYTES);
    // Settings this run never saw must not be written over. A directory in the way is left
    // to the save, whose rename cannot replace it anyway.
    keepsUnreadFile = file.status != ReadStatus::Read && file.status != ReadStatus::Missing &&
                      !isDirectory(fileName);
    if (file.status == ReadStatus::TooBig) {
        std::fprintf(stderr, "Warning: options file %s is larger than %s; it is not read\n",
                     fileName.c_str(), describeByteCount(MAX_FILE_BYTES).c_str());
        return false;
    }
    // An empty file is treated like a missing one: there is nothing to read from it.
    if (file.status != ReadStatus::Read || file.bytes.empty()) {
        std::fprintf(stderr, "Warning: couldn't open options file %s\n", fileName.c_str());
        return false;
    }
    if (!parse(file.bytes)) {
        std::fprintf(stderr, "Warning: couldn't correctly parse file %s\n", fileName.c_str());
        return false;
    }
    return true;
}

bool Settings::parse(const std::string& text) {
    // Blanks are skipped by hand rather than by a skipper, because line ends are significant
    // and may even be part of a key.
    auto const blank = x3::char_(" \t\v\f");
    auto const lineEnd = x3::lit("\r\n") | x3::lit('\r') | x3::lit('\n');
    auto const storeKey = [this](auto& context) {
        auto const& range = x3::_attr(context);
        pendingKey = trimTrailingBlanks(std::string(range.begin(), range.end()));
    };
    auto const storeValue = [this](auto& context) {
        auto const& range = x3::_attr(context);
        entries_[pendingKey] = trimTrailingBlanks(std::string(range.begin(), range.end()));
    };
    auto const key = *x3::omit[blank] >> x3::raw[*(x3::char_ - '=')][storeKey];
    auto const value = *x3::omit[blank] >> x3::raw[*(x3::char_ - x3::char_("\r\n"))][storeValue];
    auto const entry = key >> '=' >> value >> *(*x3::omit[blank] >> lineEnd);
    auto const file = *entry >> *x3::omit[blank] >> x3::eoi;

    auto first = text.begin();
    return x3::parse(first, text.end(), file);
}

std::string Settings::serialize() const {
    std::string out;
    for (const auto& [key, value] : entries_) {
        if (value.empty())
            continue;
        out += key;
        out += " = ";
        out += value;
        out += '\n';
    }
    return out;
}

bool Settings::save(const std::string& fileName) const {
    if (keepsUnreadFile) {
        std::fprintf(stderr,
                     "Warning: couldn't write options file %s: it could not be read at start-up, "
                     "so it is left as it is\n",
                     fileName.c_str());
        return false;
    }
    const std::string bytes = serialize();
    if (bytes.size() > MAX_FILE_BYTES) {
        std::fprintf(stderr,
                     "Warning: couldn't write options file %s: it would be larger than %s, which "
                     "the game does not read; it is left as it is\n",
                     fileName.c_str(), describeByteCount(MAX_FILE_BYTES).c_str());
        return false;
    }
    FileLock lock(fileName, SAVE_LOCK_WAIT_MS);
    if (lock.state() == FileLock::State::Busy) {
        std::fprintf(stderr,
                     "Warning: couldn't write options file %s: another program holds the save "
                     "lock of directory %s\n",
                     fileName.c_str(), lock.lockPath().c_str());
        return false;
    }
    if (writeFileAtomically(fileName, bytes))
        return true;
    std::fprintf(stderr, "Warning: couldn't write options file %s\n", fileName.c_str());
    return false;
}

#pragma once
// Whole-file reads and crash-safe whole-file writes for the few files the game keeps:
// the settings and the best times must never be left half written.

#include <optional>
#include <string>

// The file's bytes, or nothing when it cannot be opened or read. No line-end translation.
std::optional<std::string> readWholeFile(const std::string& path);

// Writes bytes to a temporary file beside path, flushes it to disk and renames it over path,
// so a crash, a kill or a full disk leaves either the old file or the new one. False when any
// step fails; the old file is then untouched and the temporary file removed.
bool writeFileAtomically(const std::string& path, const std::string& bytes);

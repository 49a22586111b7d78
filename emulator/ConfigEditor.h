#pragma once

#include "platform/FileLock.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvero {

/// The emulator's configuration file and its temporary copy, below AppFolder.
inline constexpr const char* kConfigFile = "\\WinUAE\\Configurations\\Default.uae";
inline constexpr const char* kConfigTempFile = "\\WinUAE\\Configurations\\Default.new";

/// Sets one line of the emulator configuration file: the last line that begins with `key` (which
/// includes its "=") becomes key + value; every other line is kept. A key that no line begins
/// with is appended. Every line is written back with CR LF. Two running copies of the program
/// take turns: each call is one whole read, change and replace. Throws FileError.
void SetConfigValue(const std::string& key, const std::string& value);

/// The configuration file to one start (or one shutdown) at a time: while an object of this class
/// lives, no other thread or running copy of the program changes the file, and this thread's own
/// SetConfigValue calls go ahead. Held from a start's first line to the start of its emulator,
/// so that no other start's lines come between them. Fails as FileLock does.
class ConfigurationTurn {
public:
    ConfigurationTurn();
    ~ConfigurationTurn();
    ConfigurationTurn(const ConfigurationTurn&) = delete;
    ConfigurationTurn& operator=(const ConfigurationTurn&) = delete;

    /// Keeps the turn, once this object is gone, until `wait` returns on a thread of its own, so
    /// that this thread can go on. Does nothing when an outer turn of this thread holds the lock.
    void HoldWhile(std::function<void()> wait);

private:
    std::unique_ptr<FileLock> m_lock;  // none when this thread holds the turn already
};

/// One line for SetConfigValues: a key (with its "=") and its value.
struct ConfigLine {
    std::string key;
    std::string value;
};

/// SetConfigValue for each line in order, in one turn: the file ends as those calls would leave
/// it, read and replaced once. A line that cannot be written (a line break, a character outside
/// the system's code page) fails after the lines before it have been written, as it would there.
void SetConfigValues(const std::vector<ConfigLine>& lines);

/// The index of the last line that begins with `key` (which includes its "="), if any: the line
/// that SetConfigValue replaces and that the emulator reads.
std::optional<std::size_t> LastLineWithKey(const std::vector<std::string>& lines, const std::string& key);

/// Whether a line begins with `key` (which includes its "="): the one rule by which the editor,
/// the emulator and the stand-in find a key's line.
bool LineBeginsWithKey(std::string_view line, std::string_view key);

/// The value of the last line that begins with `key` (which includes its "="), if any.
std::optional<std::string> ConfigLineValue(const std::string& content, const std::string& key);

/// The new content of a configuration file after setting one key (no file access).
std::string WithConfigValue(std::string_view content, std::string_view key, std::string_view value);

}  // namespace talvero

#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// Turns the emulator configuration lines Talvero writes into a configuration file for FS-UAE, a
// real Amiga emulator that runs on Linux.
namespace talvero {

struct FsUaeInputs {
    std::string defaultUae;                            // the content of Default.uae
    std::string emulatorFolder;                        // where a relative Kickstart path is looked for
    std::string baseDir;                               // FS-UAE's own folder for its state and logs
    std::vector<std::pair<char, std::string>> drives;  // the drive letters that resolve, with their roots
    /// Whether a file is a Kickstart ROM that FS-UAE can load.
    std::function<bool(const std::string& path)> isKickstartRom;
};

struct FsUaeTranslation {
    std::string config;              // the .fs-uae file
    std::vector<std::string> notes;  // what the log should say about choices made
};

FsUaeTranslation TranslateToFsUae(const FsUaeInputs& inputs);

/// A Kickstart ROM image has 256 or 512 KiB (11 bytes more with a Cloanto header).
bool HasKickstartRomSize(std::uint64_t size);

}  // namespace talvero

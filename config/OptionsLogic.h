#pragma once

#include <string>

// What the options dialog does, apart from showing itself.
namespace talvero {

/// The dialog's fields. `port` is the controller index, -1 when nothing is chosen.
struct OptionsState {
    std::string drive = "";
    int port = -1;
    std::string romFile = "";
    bool scanlines = false;
    bool soundEmulation = true;
};

/// Fills the fields from the settings with their defaults; a value that cannot be read or used
/// leaves its field as it was (an unusable controller index leaves no choice).
void LoadOptions(OptionsState& state);

/// The fields as the dialog shows them once loaded: the settings over the fields' first states.
OptionsState StoredOptions();

/// Blanks off both ends, upper case, "d" -> "D:", longer texts cut to two characters.
std::string NormaliseDrive(const std::string& text);
bool IsValidDrive(const std::string& normalised);

enum class KickstartCheck { Accepted, Rejected, Unchanged };

/// A Kickstart 3.1 ROM holds "40" at byte offsets 160 and 161. A path that names no file, or a
/// file that cannot be read that far, changes nothing.
KickstartCheck CheckKickstartFile(const std::string& path);

/// Lets the user pick a ROM file and checks it; returns the new ROM field text.
std::string ChooseKickstart(const std::string& current);

/// Normalises and validates the fields, writes the configuration lines and the settings, and
/// reports failures. True when everything was saved and the dialog may close.
bool SaveOptions(OptionsState& state);

inline constexpr const char* kControllerValues[] = {"kbd2", "joy0", "joy1"};
inline constexpr const char* kMessageInvalidDrive = "Please select a valid CD drive!";
inline constexpr const char* kMessageInvalidKickstart = "This is not a valid Kickstart ROM file.";
inline constexpr const char* kMessageOptionsNotSaved = "Error writing to file. Options not saved.";

}  // namespace talvero

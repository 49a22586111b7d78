#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvero {

/// The folder every path hangs off, without a trailing separator: the program's own folder
/// unless another was chosen (SetAppFolder).
std::string AppFolder();

/// The folder of the running executable, without a trailing separator.
std::string ProgramFolder();

enum class AppFolderSource { CommandLine, ProgramFolder, UserData };

struct AppFolderChoice {
    std::string folder;
    AppFolderSource source = AppFolderSource::ProgramFolder;
};

/// Where the AppFolder is: the folder given on the command line when there is one; else the
/// program's own folder when it holds the emulator folder ("WinUAE") or the game data ("Data"),
/// as a portable or demo folder does, or when the system has no per-user data folder; else the
/// per-user data folder.
AppFolderChoice ChooseAppFolder(const std::string& commandLineFolder, const std::string& programFolder,
                                const std::optional<std::string>& userDataFolder);

/// Lets tests (and tools that lay out a folder) point the program at another folder.
void SetAppFolder(const std::string& folder);

/// Turns a relative path spelled with backslashes ("\Cache\akir") into the platform's spelling.
std::string NativePath(std::string_view path);

/// The parts of a path between its separators, either of which (backslash or slash) ends a part
/// as NativePath reads them; empty parts (from doubled or leading separators) are left out.
std::vector<std::string_view> PathParts(std::string_view path);

/// AppFolder followed by a fixed relative path that begins with a backslash.
std::string AppPath(std::string_view relative);

/// The platform's path separator.
char NativeSeparator();

/// Folder and file name joined with the native separator.
std::string JoinPath(const std::string& folder, std::string_view name);

}  // namespace talvero

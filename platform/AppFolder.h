#pragma once

#include <string>
#include <string_view>

namespace talvero {

/// The folder of the running executable, without a trailing separator.
std::string AppFolder();

/// Lets tests (and tools that lay out a folder) point the program at another folder.
void SetAppFolder(const std::string& folder);

/// Turns a relative path spelled with backslashes ("\Cache\akir") into the platform's spelling.
std::string NativePath(std::string_view path);

/// AppFolder followed by a fixed relative path that begins with a backslash.
std::string AppPath(std::string_view relative);

/// The platform's path separator.
char NativeSeparator();

/// Folder and file name joined with the native separator.
std::string JoinPath(const std::string& folder, std::string_view name);

}  // namespace talvero
